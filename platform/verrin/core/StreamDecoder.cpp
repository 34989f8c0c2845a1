#include "StreamDecoder.h"

#include <algorithm>

namespace verrin {

void StreamDecoder::feed(const std::uint8_t* bytes, std::size_t size) {
    if (broken_) return;
    if (skip_ > 0 && available() == 0) {
        // Discard straight from the input rather than buffering an oversize payload.
        const std::size_t n = std::min(skip_, size);
        skip_ -= n;
        bytes += n;
        size -= n;
    }
    compact();
    buffer_.insert(buffer_.end(), bytes, bytes + size);
}

StreamDecoder::Step StreamDecoder::next(Frame& frame, FrameFault& fault) {
    if (broken_) return Step::NeedMore;
    if (skip_ > 0) {
        const std::size_t n = std::min(skip_, available());
        pos_ += n;
        skip_ -= n;
        if (skip_ > 0) return Step::NeedMore;
    }
    const std::size_t avail = available();
    if (avail == 0) return Step::NeedMore;
    const std::uint8_t* head = buffer_.data() + pos_;
    if (head[0] != kMagic0 || (avail >= 2 && head[1] != kMagic1)) {
        broken_ = true;
        buffer_.clear();
        pos_ = 0;
        fault = FrameFault::Garbage;
        return Step::GotFault;
    }
    if (avail < kHeaderSize) return Step::NeedMore;
    const std::size_t length = (std::size_t(head[6]) << 8) | head[7];
    if (length > kMaxPayload) {
        pos_ += kHeaderSize;
        skip_ = length;
        fault = FrameFault::Oversize;
        return Step::GotFault;
    }
    if (avail < kHeaderSize + length) return Step::NeedMore;
    frame.type = head[2];
    frame.sequence = static_cast<std::uint16_t>((head[4] << 8) | head[5]);
    frame.payload.assign(head + kHeaderSize, head + kHeaderSize + length);
    pos_ += kHeaderSize + length;
    return Step::GotFrame;
}

void StreamDecoder::compact() {
    if (pos_ == 0) return;
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(pos_));
    pos_ = 0;
}

}  // namespace verrin
