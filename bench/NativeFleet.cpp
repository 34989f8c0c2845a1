#include "NativeFleet.h"

#include <cstdio>
#include <cstdlib>

#include "LoopbackListener.h"

namespace {

constexpr DWORD kReportMs = 20000;

}  // namespace

std::uint64_t NowTicks() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<std::uint64_t>(static_cast<double>(now.QuadPart) * 1e7 / static_cast<double>(frequency.QuadPart));
}

NativeFleet::~NativeFleet() {
    if (control_ == INVALID_SOCKET) return;
    if (later_.valid()) later_.wait();
    order("quit");
    closesocket(control_);
}

std::string NativeFleet::defaultProgram() {
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    // <source>\build64\bin\linkbench.exe -> <source>\build-native\bin\dtusim
    for (int up = 0; up < 2; ++up) folder = folder.substr(0, folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\')) + "\\build-native\\bin\\dtusim";
}

bool NativeFleet::start(const std::string& program) {
    if (GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "no simulator at %s: build it with cmake --build build-native --target dtusim\n",
                     program.c_str());
        return false;
    }
    sockaddr_in address;
    const SOCKET listener = OpenLoopbackListener(address);
    if (listener == INVALID_SOCKET) return false;
    // Wine starts a host program as it does a Windows one; its process handle says little about
    // it, so it reports for orders over the connection and ends when that closes.
    std::string command = "\"" + program + "\" --control " + std::to_string(ntohs(address.sin_port));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(), GetLastError());
        closesocket(listener);
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener, &readable);
    timeval wait = {kReportMs / 1000, 0};
    if (::select(0, &readable, nullptr, nullptr, &wait) > 0) control_ = ::accept(listener, nullptr, nullptr);
    closesocket(listener);
    if (control_ == INVALID_SOCKET) {
        std::fprintf(stderr, "%s did not report for orders\n", program.c_str());
        return false;
    }
    BOOL noDelay = TRUE;
    setsockopt(control_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    return true;
}

bool NativeFleet::sendLine(const std::string& line) {
    const std::string text = line + "\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const int n = ::send(control_, text.data() + done, static_cast<int>(text.size() - done), 0);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string NativeFleet::readLine() {
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        char buffer[512];
        const int n = ::recv(control_, buffer, sizeof buffer, 0);
        if (n <= 0) return std::string();
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
}

std::string NativeFleet::order(const std::string& line) { return sendLine(line) ? readLine() : std::string(); }

void NativeFleet::orderLater(const std::string& line) {
    later_ = std::async(std::launch::async, [this, line] { return order(line); });
}

bool NativeFleet::answered() {
    return later_.valid() && later_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

std::string NativeFleet::answer() { return later_.valid() ? later_.get() : std::string(); }

// The round trip with the least time in it bounds the offset best: the simulator read its clock
// somewhere between our two readings.
bool NativeFleet::calibrate() {
    std::uint64_t bestRoundTrip = ~std::uint64_t(0);
    for (int i = 0; i < 25; ++i) {
        const std::uint64_t before = NowTicks();
        const std::string reply = order("clock");
        const std::uint64_t after = NowTicks();
        if (reply.compare(0, 6, "clock ") != 0) return false;
        const std::uint64_t theirs = std::strtoull(reply.c_str() + 6, nullptr, 10);
        if (after - before < bestRoundTrip) {
            bestRoundTrip = after - before;
            offsetTicks_ = static_cast<long long>(theirs) - static_cast<long long>(before + (after - before) / 2);
        }
    }
    return true;
}

double NativeFleet::ageMs(std::uint64_t ticks) const {
    const long long ours = static_cast<long long>(ticks) - offsetTicks_;
    return static_cast<double>(static_cast<long long>(NowTicks()) - ours) / 10000.0;
}
