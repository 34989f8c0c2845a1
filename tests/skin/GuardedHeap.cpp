#include "GuardedHeap.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <new>

namespace {

constexpr std::size_t PageSize = 4096;
// The header before each guarded block, which keeps the block's 16-byte alignment.
constexpr std::size_t HeaderSize = 16;
constexpr std::uint32_t LiveMark = 0x6C697665;  // "live"

struct TBlockHeader {
    std::uint32_t Mark;
    std::uint32_t Pages;
};

// One reservation, used from its start and never reused: a freed block's pages stay out of reach.
struct TArena {
    char* Base = nullptr;
    std::size_t Size = 0;
    std::atomic<std::size_t> Used{0};
    std::atomic<int> Guards{0};
    PVOID Handler = nullptr;

    bool Holds(const void* p) const {
        const auto* c = static_cast<const char*>(p);
        return Base && c >= Base && c < Base + Size;
    }
};

TArena& Arena() {
    static TArena arena;
    return arena;
}

// A touch of a freed guarded page ends the program at once, naming the test, as a sanitizer
// would: what follows a use of freed memory is not to be trusted, and may not end at all.
LONG CALLBACK OnAccessViolation(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    if (record.ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record.NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    const auto* address = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
    TArena& arena = Arena();
    if (!arena.Holds(address) || address >= arena.Base + arena.Used.load()) return EXCEPTION_CONTINUE_SEARCH;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "\n%s of freed memory at %p (code at %p) in %s.%s\n",
                 record.ExceptionInformation[0] ? "write" : "read", static_cast<const void*>(address),
                 record.ExceptionAddress, test ? test->test_suite_name() : "?", test ? test->name() : "?");
    std::fflush(stderr);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_CONTINUE_SEARCH;
}

bool Reserve(TArena& arena) {
    if (arena.Base) return true;
    // Far more than a test makes while guarded; a 32-bit process settles for less.
    for (std::size_t size : {std::size_t{1} << 30, std::size_t{256} << 20, std::size_t{64} << 20}) {
        arena.Base = static_cast<char*>(VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS));
        if (arena.Base) {
            arena.Size = size;
            arena.Handler = AddVectoredExceptionHandler(1, OnAccessViolation);
            return true;
        }
    }
    return false;
}

void* GuardedAllocate(std::size_t size) {
    TArena& arena = Arena();
    const std::size_t pages = (size + HeaderSize + PageSize - 1) / PageSize;
    const std::size_t offset = arena.Used.fetch_add(pages * PageSize);
    if (offset + pages * PageSize > arena.Size) return nullptr;
    char* block = arena.Base + offset;
    if (!VirtualAlloc(block, pages * PageSize, MEM_COMMIT, PAGE_READWRITE)) return nullptr;
    auto* header = reinterpret_cast<TBlockHeader*>(block);
    header->Mark = LiveMark;
    header->Pages = static_cast<std::uint32_t>(pages);
    return block + HeaderSize;
}

// The pages go back to the system, out of reach; a block freed twice is caught reading its header.
void GuardedFree(void* p) {
    char* block = static_cast<char*>(p) - HeaderSize;
    const auto* header = reinterpret_cast<const TBlockHeader*>(block);
    if (header->Mark != LiveMark) return;
    VirtualFree(block, header->Pages * PageSize, MEM_DECOMMIT);
}

void* Allocate(std::size_t size) {
    if (size == 0) size = 1;
    TArena& arena = Arena();
    if (arena.Guards.load() > 0 && arena.Base)
        if (void* p = GuardedAllocate(size)) return p;
    return std::malloc(size);
}

void Free(void* p) noexcept {
    if (!p) return;
    if (Arena().Holds(p)) GuardedFree(p);
    else std::free(p);
}

void* AllocateOrThrow(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}

}  // namespace

TGuardedHeap::TGuardedHeap() {
    if (Reserve(Arena())) ++Arena().Guards;
}

TGuardedHeap::~TGuardedHeap() {
    if (Arena().Base) --Arena().Guards;
}

bool TGuardedHeap::Available() { return Reserve(Arena()); }

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Free(p); }
