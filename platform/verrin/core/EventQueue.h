#pragma once
// Events waiting for the host. Bounded, so a host that stops reading cannot exhaust memory;
// what arrives while it is full is counted as lost.

#include <cstddef>
#include <cstdint>
#include <deque>

#include "LinkEvent.h"

namespace verrin {

class EventQueue {
public:
    explicit EventQueue(std::size_t limit) : limit_(limit) {}

    bool push(LinkEvent&& event);
    bool pop(LinkEvent& event);
    void clear() { events_.clear(); }
    std::size_t size() const { return events_.size(); }
    std::uint32_t lost() const { return lost_; }

private:
    std::size_t limit_;
    std::deque<LinkEvent> events_;
    std::uint32_t lost_ = 0;
};

}  // namespace verrin
