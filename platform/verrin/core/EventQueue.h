#pragma once
// Events waiting for the host. Over UDP it is bounded: what arrives while it is full is counted as
// lost. Over TCP nothing may be lost: the queue takes every event, and its fullness tells the
// network side to stop reading until the host has caught up (the data wait in the network).

#include <cstddef>
#include <cstdint>
#include <deque>

#include "LinkEvent.h"

namespace verrin {

class EventQueue {
public:
    enum class WhenFull { Drop, Keep };

    EventQueue(std::size_t limit, WhenFull whenFull) : limit_(limit), whenFull_(whenFull) {}

    bool push(LinkEvent&& event);
    bool pop(LinkEvent& event);
    void clear() { events_.clear(); }
    std::size_t size() const { return events_.size(); }
    std::size_t limit() const { return limit_; }
    bool full() const { return events_.size() >= limit_; }
    std::uint32_t lost() const { return lost_; }

private:
    std::size_t limit_;
    WhenFull whenFull_;
    std::deque<LinkEvent> events_;
    std::uint32_t lost_ = 0;
};

}  // namespace verrin
