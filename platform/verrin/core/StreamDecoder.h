#pragma once
// Cuts a TCP byte stream into frames. A payload over the limit is reported once and its bytes are
// skipped, so the terminal's next frame is still read; a byte where a frame must start means the
// framing is lost for good, and the decoder stops (the caller drops the connection).

#include "LinkFrame.h"

namespace verrin {

class StreamDecoder {
public:
    enum class Step { NeedMore, GotFrame, GotFault };

    void feed(const std::uint8_t* bytes, std::size_t size);
    // GotFrame fills frame; GotFault fills fault.
    Step next(Frame& frame, FrameFault& fault);

    bool broken() const { return broken_; }
    // Bytes of a frame not yet complete; a connection closing now cut that frame short.
    bool holdsPartialFrame() const { return !broken_ && pos_ < buffer_.size(); }

private:
    std::size_t available() const { return buffer_.size() - pos_; }
    void compact();

    std::vector<std::uint8_t> buffer_;
    std::size_t pos_ = 0;
    std::size_t skip_ = 0;  // payload bytes of an oversize frame still to discard
    bool broken_ = false;
};

}  // namespace verrin
