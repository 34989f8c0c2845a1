#include <winsock2.h>

#include "Winsock.h"

Winsock::Winsock() {
    WSADATA data;
    error_ = WSAStartup(MAKEWORD(2, 2), &data);
}

Winsock::~Winsock() {
    if (error_ == 0) WSACleanup();
}
