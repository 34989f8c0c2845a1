#include "DtuNet.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>
#endif

namespace dtunet {

#ifdef _WIN32

bool start() {
    WSADATA wsa;
    return WSAStartup(MAKEWORD(2, 2), &wsa) == 0;
}

void close(Socket s) { closesocket(s); }

void setNonBlocking(Socket s) {
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
}

int send(Socket s, const void* data, std::size_t length) {
    return ::send(s, static_cast<const char*>(data), static_cast<int>(length), 0);
}

int receive(Socket s, void* buffer, std::size_t size) {
    return ::recv(s, static_cast<char*>(buffer), static_cast<int>(size), 0);
}

bool wouldBlock() { return WSAGetLastError() == WSAEWOULDBLOCK; }
int lastError() { return WSAGetLastError(); }

// FD_SETSIZE is raised for this library, so one set takes a whole fleet.
std::vector<std::size_t> waitReadable(const std::vector<Socket>& sockets, std::uint32_t timeoutMs) {
    std::vector<std::size_t> ready;
    fd_set readable;
    FD_ZERO(&readable);
    std::vector<std::size_t> watched;
    for (std::size_t i = 0; i < sockets.size() && readable.fd_count < FD_SETSIZE; ++i) {
        FD_SET(sockets[i], &readable);
        watched.push_back(i);
    }
    if (watched.empty()) {
        Sleep(timeoutMs);
        return ready;
    }
    timeval timeout = {static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
    if (::select(0, &readable, nullptr, nullptr, &timeout) <= 0) return ready;
    for (std::size_t i : watched)
        if (FD_ISSET(sockets[i], &readable)) ready.push_back(i);
    return ready;
}

std::uint64_t nowTicks() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<std::uint64_t>(static_cast<double>(now.QuadPart) * 1e7 / static_cast<double>(frequency.QuadPart));
}

std::uint64_t nowMs() { return nowTicks() / 10000u; }

void sleepMs(std::uint32_t ms) { Sleep(ms); }

#else

// A fleet holds a socket per terminal: as many descriptors as the system lets a process have.
bool start() {
    rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    return true;
}

void close(Socket s) { ::close(s); }

void setNonBlocking(Socket s) { fcntl(s, F_SETFL, fcntl(s, F_GETFL, 0) | O_NONBLOCK); }

int send(Socket s, const void* data, std::size_t length) {
    return static_cast<int>(::send(s, data, length, MSG_NOSIGNAL));
}

int receive(Socket s, void* buffer, std::size_t size) { return static_cast<int>(::recv(s, buffer, size, 0)); }

bool wouldBlock() { return errno == EAGAIN || errno == EWOULDBLOCK; }
int lastError() { return errno; }

std::vector<std::size_t> waitReadable(const std::vector<Socket>& sockets, std::uint32_t timeoutMs) {
    std::vector<std::size_t> ready;
    std::vector<pollfd> polled(sockets.size());
    for (std::size_t i = 0; i < sockets.size(); ++i) polled[i] = pollfd{sockets[i], POLLIN, 0};
    if (::poll(polled.data(), polled.size(), static_cast<int>(timeoutMs)) <= 0) return ready;
    for (std::size_t i = 0; i < polled.size(); ++i)
        if (polled[i].revents) ready.push_back(i);
    return ready;
}

namespace {
// The clock Wine's performance counter reads, so that the two keep in step (the other monotonic
// clock is slewed by time synchronisation).
std::uint64_t monotonicNs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC_RAW, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}
}  // namespace

std::uint64_t nowMs() { return monotonicNs() / 1000000u; }
std::uint64_t nowTicks() { return monotonicNs() / 100u; }

void sleepMs(std::uint32_t ms) {
    const timespec pause = {static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    nanosleep(&pause, nullptr);
}

#endif

Socket open(bool tcp) {
    return ::socket(AF_INET, tcp ? SOCK_STREAM : SOCK_DGRAM, tcp ? IPPROTO_TCP : IPPROTO_UDP);
}

bool connectTo(Socket s, const char* host, std::uint16_t port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = inet_addr(host);
    return ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

void setNoDelay(Socket s) {
    int noDelay = 1;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
}

std::uint16_t localPort(Socket s) {
    sockaddr_in local = {};
#ifdef _WIN32
    int length = sizeof local;
#else
    socklen_t length = sizeof local;
#endif
    getsockname(s, reinterpret_cast<sockaddr*>(&local), &length);
    return ntohs(local.sin_port);
}

}  // namespace dtunet
