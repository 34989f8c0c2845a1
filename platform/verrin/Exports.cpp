// The exported calls: each hands over to the one LinkService of the process.
#include "LinkService.h"

int WINAPI SelectProtocol(int protocol) { return LinkService::instance().selectProtocol(protocol); }

int WINAPI start_gprs_server(HWND window, int message, int port, char* status) {
    return LinkService::instance().start(window, static_cast<UINT>(message), port, status);
}

int WINAPI do_read_proc(TUserDataRecord* record, char* aux, DWORD replyFlag) {
    return LinkService::instance().readEvent(record, aux, replyFlag);
}

int WINAPI get_max_user_amount() { return LinkService::instance().slotCount(); }

int WINAPI get_user_at(int slot, TUserInfoRecord* info) { return LinkService::instance().slotInfo(slot, info); }

int WINAPI do_send_user_data(const char* id, const char* data, int length, char* reply) {
    return LinkService::instance().send(id, data, length, reply);
}

int WINAPI do_close_one_user(const char* id, char* reply) { return LinkService::instance().closeOne(id, reply); }

int WINAPI do_close_all_user(char* status) { return LinkService::instance().closeAll(status); }

int WINAPI stop_gprs_server(char* status) { return LinkService::instance().stop(status); }

int WINAPI get_link_counters(TLinkCounters* counters) { return LinkService::instance().counters(counters); }
