#pragma once
#include <windows.h>

#include <cstddef>

// An I/O completion port for one thread. Where the system offers them (Vista on, and Wine), the
// completions are taken many at a time, and an operation that finishes at once posts nothing:
// its caller handles it on the spot. On XP both fall back to the plain calls, so the library still
// loads there.
class CompletionPort {
public:
    struct Completion {
        ULONG_PTR key = 0;
        OVERLAPPED* overlapped = nullptr;  // for packets posted with post(): the value given there
        DWORD bytes = 0;
        bool ok = false;  // the operation succeeded (always true for posted packets)
    };
    static constexpr std::size_t kBatch = 64;

    explicit CompletionPort(ULONG_PTR ioKey) : ioKey_(ioKey) {}
    ~CompletionPort() { close(); }
    CompletionPort(const CompletionPort&) = delete;
    CompletionPort& operator=(const CompletionPort&) = delete;

    bool open();
    void close();
    bool isOpen() const { return port_ != nullptr; }

    // Operations on the handle complete through the port with the I/O key. skipsWhenDone tells
    // whether one that finishes at once still posts its completion (false) or not (true).
    bool attach(HANDLE handle, bool& skipsWhenDone);
    void post(ULONG_PTR key, ULONG_PTR value);
    // Waits up to the time for completions; fills at most kBatch and returns how many.
    std::size_t wait(Completion* completions, DWORD timeoutMs);

private:
    using TakeMany = BOOL(WINAPI*)(HANDLE, LPOVERLAPPED_ENTRY, ULONG, PULONG, DWORD, BOOL);
    using SetModes = BOOL(WINAPI*)(HANDLE, UCHAR);

    ULONG_PTR ioKey_;
    HANDLE port_ = nullptr;
    TakeMany takeMany_ = nullptr;
    SetModes setModes_ = nullptr;
};
