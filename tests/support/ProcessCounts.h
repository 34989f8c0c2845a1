// What the process holds, counted from the system's own lists: to show that objects which come
// and go leave nothing behind.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <cstddef>
#include <set>
#include <vector>

// The number of handles this process holds, from the system's handle list. The list is a count
// followed by entries that hold a pointer, so the entries start at the pointer's alignment: 4
// bytes in on 32-bit Windows, 8 on 64-bit.
inline int ProcessHandleCount()
{
    typedef LONG(WINAPI * QueryFn)(ULONG, PVOID, ULONG, PULONG);
    struct Entry {
        ULONG pid;
        BYTE type;
        BYTE flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    struct HandleList {
        ULONG count;
        Entry entries[1];
    };
    QueryFn query = reinterpret_cast<QueryFn>((void (*)())::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation"));
    std::vector<char> buffer(1 << 20);
    ULONG needed = 0;
    while (query(16 /* handle information */, buffer.data(), (ULONG)buffer.size(), &needed) != 0) {
        if (buffer.size() > (64u << 20))
            return -1;
        buffer.resize(buffer.size() * 2);
    }
    const HandleList* list = reinterpret_cast<const HandleList*>(buffer.data());
    size_t capacity = (buffer.size() - offsetof(HandleList, entries)) / sizeof(Entry);
    if (list->count > capacity)
        return -1;
    int nOwn = 0;
    for (ULONG i = 0; i < list->count; ++i)
        if (list->entries[i].pid == ::GetCurrentProcessId())
            ++nOwn;
    return nOwn;
}

// The GDI and USER objects this process holds: what a leak of bitmaps, brushes, regions, icons,
// menus or windows shows in. Windows answers GetGuiResources; Wine answers it with 0, so there
// the handle tables are probed: a handle whose high word is 0 matches any generation of its
// slot, so every slot is asked once (USER slots are the even values; the odd ones are the same
// slots again). Compare counts taken after a warm-up: the system makes some objects on first use.
inline int ProcessGdiObjectCount()
{
    DWORD dwCount = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (dwCount > 0)
        return (int)dwCount;
    int nCount = 0;
    for (UINT_PTR value = 1; value < 0x10000; ++value)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0)
            ++nCount;
    return nCount;
}

inline int ProcessUserObjectCount()
{
    DWORD dwCount = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (dwCount > 0)
        return (int)dwCount;
    int nCount = 0;
    for (UINT_PTR value = 2; value < 0x10000; value += 2) {
        HANDLE hObject = reinterpret_cast<HANDLE>(value);
        ICONINFO info;
        if (::IsWindow((HWND)hObject)) {
            DWORD dwProcess = 0;
            ::GetWindowThreadProcessId((HWND)hObject, &dwProcess);
            nCount += dwProcess == ::GetCurrentProcessId();
        } else if (::IsMenu((HMENU)hObject)) {
            ++nCount;
        } else if (::GetIconInfo((HICON)hObject, &info)) {
            ::DeleteObject(info.hbmColor);
            ::DeleteObject(info.hbmMask);
            ++nCount;
        }
    }
    return nCount;
}

// The ids of this process's threads. The system may start threads of its own at any time, so
// tests compare sets of ids rather than counts.
inline std::set<DWORD> ProcessThreadIds()
{
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    std::set<DWORD> ids;
    for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
            ids.insert(entry.th32ThreadID);
    ::CloseHandle(hSnapshot);
    return ids;
}

// The threads in after that were not in before.
inline std::set<DWORD> NewThreadIds(const std::set<DWORD>& before, const std::set<DWORD>& after)
{
    std::set<DWORD> added;
    for (DWORD id : after)
        if (!before.count(id))
            added.insert(id);
    return added;
}
