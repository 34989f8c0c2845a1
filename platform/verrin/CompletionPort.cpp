#include "CompletionPort.h"

namespace {

constexpr UCHAR kSkipPortOnSuccess = 0x1;  // FILE_SKIP_COMPLETION_PORT_ON_SUCCESS

}  // namespace

bool CompletionPort::open() {
    port_ = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    if (!port_) return false;
    if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
        takeMany_ = reinterpret_cast<TakeMany>(
            reinterpret_cast<void (*)()>(GetProcAddress(kernel, "GetQueuedCompletionStatusEx")));
        setModes_ = reinterpret_cast<SetModes>(
            reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetFileCompletionNotificationModes")));
    }
    return true;
}

void CompletionPort::close() {
    if (port_) CloseHandle(port_);
    port_ = nullptr;
}

bool CompletionPort::attach(HANDLE handle, bool& skipsWhenDone) {
    if (!CreateIoCompletionPort(handle, port_, ioKey_, 0)) return false;
    skipsWhenDone = setModes_ && setModes_(handle, kSkipPortOnSuccess);
    return true;
}

void CompletionPort::post(ULONG_PTR key, ULONG_PTR value) {
    PostQueuedCompletionStatus(port_, 0, key, reinterpret_cast<LPOVERLAPPED>(value));
}

std::size_t CompletionPort::wait(Completion* completions, DWORD timeoutMs) {
    if (takeMany_) {
        OVERLAPPED_ENTRY entries[kBatch];
        ULONG taken = 0;
        if (!takeMany_(port_, entries, kBatch, &taken, timeoutMs, FALSE)) return 0;
        for (ULONG i = 0; i < taken; ++i) {
            Completion& c = completions[i];
            c.key = entries[i].lpCompletionKey;
            c.overlapped = entries[i].lpOverlapped;
            c.bytes = entries[i].dwNumberOfBytesTransferred;
            // A socket operation's outcome is the status it left in its OVERLAPPED.
            c.ok = c.key != ioKey_ || !c.overlapped || static_cast<LONG>(c.overlapped->Internal) >= 0;
        }
        return taken;
    }
    Completion& c = completions[0];
    c.ok = GetQueuedCompletionStatus(port_, &c.bytes, &c.key, &c.overlapped, timeoutMs) != FALSE;
    return c.ok || c.overlapped ? 1 : 0;
}
