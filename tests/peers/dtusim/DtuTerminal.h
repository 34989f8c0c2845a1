#pragma once
// One simulated terminal: its own socket to the host, the frames of the terminal protocol, and
// raw bytes for tests that must send what no good terminal would.
#include <cstdint>
#include <string>
#include <vector>

#include "DtuNet.h"
#include "LinkFrame.h"
#include "StreamDecoder.h"

enum class DtuProtocol { Udp, Tcp };

class DtuTerminal {
public:
    DtuTerminal(DtuProtocol protocol, std::string id, std::uint32_t mobileAddress = 0x0A000001,
                std::uint16_t mobilePort = 7000);
    ~DtuTerminal();
    DtuTerminal(const DtuTerminal&) = delete;
    DtuTerminal& operator=(const DtuTerminal&) = delete;

    bool connect(const char* host, std::uint16_t port);
    void disconnect();

    bool sendLogin();
    bool sendData(const std::uint8_t* data, std::size_t length);
    bool sendData(const std::vector<std::uint8_t>& data) { return sendData(data.data(), data.size()); }
    bool sendHeartbeat();
    bool sendLogout();
    bool sendFrame(verrin::FrameType type, std::uint16_t sequence, const std::uint8_t* payload, std::size_t length);
    bool sendRaw(const std::vector<std::uint8_t>& bytes);

    // The next frame from the host within the time; false when none came or the link closed.
    bool receive(verrin::Frame& frame, std::uint32_t timeoutMs);
    // The next frame of the given type, passing over any others.
    bool receiveType(verrin::FrameType type, verrin::Frame& frame, std::uint32_t timeoutMs);
    // Reads whatever is waiting without blocking; used when many terminals share one wait.
    void drain(std::vector<verrin::Frame>& frames);

    // True once a TCP host closed the connection.
    bool linkClosed() const { return linkClosed_; }
    const std::string& id() const { return id_; }
    std::uint16_t localPort() const { return localPort_; }
    std::uint32_t mobileAddress() const { return mobileAddress_; }
    std::uint16_t mobilePort() const { return mobilePort_; }
    dtunet::Socket socket() const { return socket_; }
    std::uint16_t lastDataSequence() const { return static_cast<std::uint16_t>(dataSequence_ - 1); }

private:
    bool readOnce(std::vector<verrin::Frame>& frames);

    DtuProtocol protocol_;
    std::string id_;
    std::uint32_t mobileAddress_;
    std::uint16_t mobilePort_;
    dtunet::Socket socket_ = dtunet::kNoSocket;
    std::uint16_t localPort_ = 0;
    std::uint16_t dataSequence_ = 1;
    std::uint16_t heartbeatSequence_ = 1;
    verrin::StreamDecoder decoder_;
    std::vector<verrin::Frame> pending_;
    bool linkClosed_ = false;
};
