#pragma once
// The few socket and clock calls the simulated terminals make, over Winsock in the Windows build
// and over the host's own sockets in the native one. Natively the terminals run outside Wine, as
// a real fleet does: their sends and receives then cost the wine server of the service under
// test nothing.
#ifdef _WIN32
#include <winsock2.h>
#else
#include <sys/types.h>
#endif

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dtunet {

#ifdef _WIN32
using Socket = SOCKET;
constexpr Socket kNoSocket = INVALID_SOCKET;
#else
using Socket = int;
constexpr Socket kNoSocket = -1;
#endif

// Sockets ready before use (Winsock started); true when they are.
bool start();

Socket open(bool tcp);
// Connects to the IPv4 address (dotted text) and port; false on failure.
bool connectTo(Socket s, const char* host, std::uint16_t port);
void close(Socket s);
void setNoDelay(Socket s);
void setNonBlocking(Socket s);
std::uint16_t localPort(Socket s);

// The bytes taken or received, or -1 with the reason in lastError().
int send(Socket s, const void* data, std::size_t length);
int receive(Socket s, void* buffer, std::size_t size);
// The last call failed only because it would have had to wait.
bool wouldBlock();
int lastError();

// The indexes of the sockets that have input (or an end) within the time; empty when none.
std::vector<std::size_t> waitReadable(const std::vector<Socket>& sockets, std::uint32_t timeoutMs);

// Milliseconds of a clock that never goes back, and the same clock in 100-ns ticks (the unit
// the benchmarks stamp into their packets).
std::uint64_t nowMs();
std::uint64_t nowTicks();
void sleepMs(std::uint32_t ms);

}  // namespace dtunet
