// dtusim: many simulated terminals against a link service, for demonstrations and load.
//   dtusim [--tcp] [--host A] [--port N] [--terminals N] [--first-id N] [--rate PACKETS_PER_S]
//          [--size BYTES] [--heartbeat S] [--duration S] [--quiet]
//   dtusim --control PORT    (a fleet on a benchmark's orders from 127.0.0.1:PORT; FleetControl.h)
// It builds for Windows and natively; the benchmarks run the native one beside Wine.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "DtuFleet.h"
#include "DtuNet.h"
#include "FleetControl.h"

namespace {

void usage() {
    std::fprintf(stderr,
                 "usage: dtusim [--udp|--tcp] [--host ADDRESS] [--port N] [--terminals N] [--first-id N]\n"
                 "              [--rate PACKETS_PER_SECOND] [--size BYTES] [--heartbeat SECONDS]\n"
                 "              [--duration SECONDS] [--quiet]\n"
                 "       dtusim --control PORT\n");
}

bool parse(int argc, char** argv, DtuFleetOptions& options, bool& quiet) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--udp") options.protocol = DtuProtocol::Udp;
        else if (arg == "--tcp") options.protocol = DtuProtocol::Tcp;
        else if (arg == "--quiet") quiet = true;
        else if (arg == "--host" && hasValue) options.host = argv[++i];
        else if (arg == "--port" && hasValue) options.port = static_cast<std::uint16_t>(std::atoi(argv[++i]));
        else if (arg == "--terminals" && hasValue) options.terminals = std::atoi(argv[++i]);
        else if (arg == "--first-id" && hasValue) options.firstId = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--rate" && hasValue) options.packetsPerSecond = std::atof(argv[++i]);
        else if (arg == "--size" && hasValue) options.packetSize = std::atoi(argv[++i]);
        else if (arg == "--heartbeat" && hasValue) options.heartbeatMs = static_cast<std::uint32_t>(std::atof(argv[++i]) * 1000);
        else if (arg == "--duration" && hasValue) options.durationMs = static_cast<std::uint32_t>(std::atof(argv[++i]) * 1000);
        else return false;
    }
    return options.terminals > 0 && options.terminals <= 4000 && options.packetSize >= 1 &&
           options.packetSize <= 1024 && options.port != 0;
}

std::string describe(const verrin::Frame& frame) {
    char text[64];
    switch (static_cast<verrin::FrameType>(frame.type)) {
        case verrin::FrameType::LoginReply:
            return frame.payload.empty() || frame.payload[0] ? "login refused" : "login accepted";
        case verrin::FrameType::DataAck:
            std::snprintf(text, sizeof text, "ack of packet %u", frame.sequence);
            return text;
        case verrin::FrameType::HeartbeatReply: return "heartbeat answered";
        case verrin::FrameType::Close:
            std::snprintf(text, sizeof text, "closed by host (reason %u)", frame.payload.empty() ? 0 : frame.payload[0]);
            return text;
        case verrin::FrameType::HostData: {
            std::string line = "data " + std::to_string(frame.payload.size()) + " bytes:";
            for (std::size_t i = 0; i < frame.payload.size() && i < 32; ++i) {
                std::snprintf(text, sizeof text, " %02X", frame.payload[i]);
                line += text;
            }
            return frame.payload.size() > 32 ? line + " ..." : line;
        }
        default:
            std::snprintf(text, sizeof text, "frame type 0x%02X", frame.type);
            return text;
    }
}

// Takes orders from the benchmark listening on the port.
int controlled(int port) {
    const dtunet::Socket control = dtunet::open(true);
    if (control == dtunet::kNoSocket || !dtunet::connectTo(control, "127.0.0.1", static_cast<std::uint16_t>(port))) {
        std::fprintf(stderr, "dtusim: no benchmark listens on port %d\n", port);
        return 2;
    }
    dtunet::setNoDelay(control);
    const int code = FleetControl(control).serve();
    dtunet::close(control);
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    if (!dtunet::start()) return 2;
    if (argc == 3 && std::string(argv[1]) == "--control") return controlled(std::atoi(argv[2]));
    DtuFleetOptions options;
    bool quiet = false;
    if (!parse(argc, argv, options, quiet)) {
        usage();
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 4096);

    DtuFleet fleet(options);
    std::mutex printing;
    if (!quiet) {
        fleet.observe([&printing](const DtuTerminal& terminal, const verrin::Frame& frame) {
            std::lock_guard<std::mutex> lock(printing);
            std::printf("%s: %s\n", terminal.id().c_str(), describe(frame).c_str());
        });
    }
    std::printf("dtusim: %d %s terminals to %s:%u\n", options.terminals,
                options.protocol == DtuProtocol::Tcp ? "TCP" : "UDP", options.host.c_str(), options.port);
    const bool allIn = fleet.loginAll(10000);
    std::printf("dtusim: %llu logged in, %llu refused\n",
                static_cast<unsigned long long>(fleet.totals().loginsAccepted.load()),
                static_cast<unsigned long long>(fleet.totals().loginsRefused.load()));
    if (fleet.totals().loginsAccepted > 0) fleet.run();
    fleet.logoutAll();
    dtunet::sleepMs(200);

    const DtuFleetTotals& t = fleet.totals();
    std::printf("dtusim totals: sent %llu data, %llu heartbeats; received %llu data (%llu bytes), %llu acks, "
                "%llu closes\n",
                static_cast<unsigned long long>(t.dataSent.load()),
                static_cast<unsigned long long>(t.heartbeatsSent.load()),
                static_cast<unsigned long long>(t.dataReceived.load()),
                static_cast<unsigned long long>(t.bytesReceived.load()),
                static_cast<unsigned long long>(t.acksReceived.load()),
                static_cast<unsigned long long>(t.closesReceived.load()));
    return allIn ? 0 : 1;
}
