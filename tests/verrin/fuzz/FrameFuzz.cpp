// Bytes from the network, as a datagram and as a TCP stream cut at a point the input chooses:
// every frame decoded either way, and every login payload parsed.
#include <cstddef>
#include <cstdint>

#include "LinkFrame.h"
#include "LoginMessage.h"
#include "StreamDecoder.h"

namespace {

void ParseLogin(const verrin::Frame& frame)
{
    verrin::LoginMessage login;
    verrin::LoginMessage::parse(frame.payload, login);
}

void DecodeAsStream(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return;
    std::size_t cut = data[0] % size;
    verrin::StreamDecoder decoder;
    verrin::Frame frame;
    verrin::FrameFault fault;
    decoder.feed(data + 1, cut > 0 ? cut - 1 : 0);
    while (decoder.next(frame, fault) == verrin::StreamDecoder::Step::GotFrame) ParseLogin(frame);
    decoder.feed(data + (cut > 0 ? cut : 1), size - (cut > 0 ? cut : 1));
    while (decoder.next(frame, fault) != verrin::StreamDecoder::Step::NeedMore) {
        if (decoder.broken()) break;
        ParseLogin(frame);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    verrin::Frame frame;
    if (verrin::decodeDatagram(data, size, frame) == verrin::FrameFault::None) ParseLogin(frame);
    DecodeAsStream(data, size);
    return 0;
}
