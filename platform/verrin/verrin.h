#pragma once
// verrin.dll: the link service that terminals log in to over UDP or TCP. Shared by the library
// and its host program. Every function uses the stdcall convention and is exported under its
// plain name. Buffers belong to the caller and are only used during the call.
// The terminal protocol and the event kinds are described in docs/terminal-protocol.md.

#include <windows.h>

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// One event, filled by do_read_proc.
struct TUserDataRecord {
    char Id[12];          // terminal id, NUL-padded; 12 characters fill it without a NUL
    char Time[20];        // "YYYY-MM-DD HH:MM:SS", local time of the event
    std::uint8_t Data[1024];
    std::uint16_t DataLength;
    std::uint8_t Kind;    // one of the LINK_EVENT_ values
    std::uint8_t Reserved;
};

// One terminal slot, filled by get_user_at.
struct TUserInfoRecord {
    char Id[12];
    std::uint32_t PublicAddress;  // as the socket sees it; first octet in the most significant byte
    std::uint16_t PublicPort;
    std::uint16_t Reserved1;
    std::uint32_t MobileAddress;  // as the terminal reported at login; same byte order
    std::uint16_t MobilePort;
    char LoginTime[20];
    char LastHeardTime[20];       // when the terminal was last heard from
    std::uint8_t Status;          // LINK_SLOT_ONLINE or LINK_SLOT_FREE
    std::uint8_t Reserved2;
};

#pragma pack(pop)

static_assert(sizeof(TUserDataRecord) == 1060, "TUserDataRecord layout");
static_assert(offsetof(TUserDataRecord, Time) == 12, "TUserDataRecord layout");
static_assert(offsetof(TUserDataRecord, Data) == 32, "TUserDataRecord layout");
static_assert(offsetof(TUserDataRecord, DataLength) == 1056, "TUserDataRecord layout");
static_assert(offsetof(TUserDataRecord, Kind) == 1058, "TUserDataRecord layout");
static_assert(sizeof(TUserInfoRecord) == 68, "TUserInfoRecord layout");
static_assert(offsetof(TUserInfoRecord, PublicAddress) == 12, "TUserInfoRecord layout");
static_assert(offsetof(TUserInfoRecord, PublicPort) == 16, "TUserInfoRecord layout");
static_assert(offsetof(TUserInfoRecord, MobileAddress) == 20, "TUserInfoRecord layout");
static_assert(offsetof(TUserInfoRecord, MobilePort) == 24, "TUserInfoRecord layout");
static_assert(offsetof(TUserInfoRecord, LoginTime) == 26, "TUserInfoRecord layout");
static_assert(offsetof(TUserInfoRecord, LastHeardTime) == 46, "TUserInfoRecord layout");
static_assert(offsetof(TUserInfoRecord, Status) == 66, "TUserInfoRecord layout");

// Kinds of TUserDataRecord. Only a data event carries bytes.
enum {
    LINK_EVENT_NONE = 0,     // nothing was pending (the record is all zero)
    LINK_EVENT_DATA = 1,     // a data packet from the terminal
    LINK_EVENT_LOGIN = 3,    // the terminal logged in (or in again)
    LINK_EVENT_LOGOUT = 4,   // the terminal logged out
    LINK_EVENT_DROPPED = 5,  // the terminal went silent past the time-out or its connection broke
};

enum { LINK_SLOT_FREE = 0, LINK_SLOT_ONLINE = 1 };
enum { LINK_PROTOCOL_UDP = 0, LINK_PROTOCOL_TCP = 1 };

// Counts since the last start, for diagnostics and benchmarks.
struct TLinkCounters {
    std::uint32_t EventsQueued;
    std::uint32_t EventsRead;
    std::uint32_t EventsLost;      // UDP: the event queue was full (TCP holds the terminals back)
    std::uint32_t GarbageFrames;   // bytes where no frame can start
    std::uint32_t MalformedFrames; // cut short, with extra bytes, empty data, short login
    std::uint32_t UnknownFrames;   // a frame type the host does not take
    std::uint32_t OversizeFrames;  // a payload over 1024 bytes
    std::uint32_t BadIds;          // empty, over 12 characters or not printable ASCII
    std::uint32_t BeforeLogin;     // data, heartbeat or logout from a terminal not logged in
    std::uint32_t RefusedLogins;   // every slot was taken
    std::uint32_t TimedOut;        // terminals dropped for silence
};

#ifdef VERRIN_BUILD
#define VERRIN_API extern "C" __declspec(dllexport)
#else
#define VERRIN_API extern "C" __declspec(dllimport)
#endif

// All return a negative value on failure. Texts written to 256-byte buffers are NUL-terminated.
VERRIN_API int WINAPI SelectProtocol(int protocol);
VERRIN_API int WINAPI start_gprs_server(HWND window, int message, int port, char* status);
VERRIN_API int WINAPI do_read_proc(TUserDataRecord* record, char* aux, DWORD replyFlag);
VERRIN_API int WINAPI get_max_user_amount();
VERRIN_API int WINAPI get_user_at(int slot, TUserInfoRecord* info);
VERRIN_API int WINAPI do_send_user_data(const char* id, const char* data, int length, char* reply);
VERRIN_API int WINAPI do_close_one_user(const char* id, char* reply);
VERRIN_API int WINAPI do_close_all_user(char* status);
VERRIN_API int WINAPI stop_gprs_server(char* status);
VERRIN_API int WINAPI get_link_counters(TLinkCounters* counters);
