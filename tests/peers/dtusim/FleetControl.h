#pragma once
// A fleet run on orders from a benchmark over a TCP connection, one order and one answer a line:
//   login udp|tcp HOST PORT TERMINALS SIZE  -> logged ACCEPTED REFUSED
//   clock                                   -> clock TICKS            (100-ns ticks of this side)
//   flood NUMBER RATE MILLISECONDS          -> flooded SENT
//   acks                                    -> acks COUNT P50 P99 MAX (ms, since the last flood began)
//   logout                                  -> ok
//   quit                                    -> bye
// Each flood's packets are stamped (StampedPayload.h); the acknowledgements the host sends back
// are timed against the stamps. Anything else is answered "error ...".
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "DtuFleet.h"
#include "DtuNet.h"

class FleetControl {
public:
    explicit FleetControl(dtunet::Socket control) : control_(control) {}
    // Serves orders until "quit" or the end of the connection; the process's exit code.
    int serve();

private:
    bool readLine(std::string& line);
    void answer(const std::string& text);
    std::string handle(const std::string& order, bool& quit);
    std::string login(const std::string& protocol, const std::string& host, int port, int terminals, int size);
    std::string flood(unsigned number, double rate, std::uint32_t milliseconds);
    std::string acks();
    void noteAck(const DtuTerminal& terminal, std::uint16_t sequence);

    // The send time of a terminal's recent packets, by the low byte of their sequence: the
    // sequence in the top 16 bits, the time's low 48 bits below.
    static constexpr std::size_t kRecentSends = 256;

    dtunet::Socket control_;
    std::string pending_;
    std::unique_ptr<DtuFleet> fleet_;
    std::vector<std::atomic<std::uint64_t>> sentAt_;
    std::mutex ackLock_;
    std::vector<double> ackMs_;
};
