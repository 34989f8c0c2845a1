#pragma once
#include <winsock2.h>

// A TCP socket listening on a free loopback port for one connection; address is where it
// listens. INVALID_SOCKET when the system refused it.
SOCKET OpenLoopbackListener(sockaddr_in& address);
