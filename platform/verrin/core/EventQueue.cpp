#include "EventQueue.h"

namespace verrin {

bool EventQueue::push(LinkEvent&& event) {
    if (full() && whenFull_ == WhenFull::Drop) {
        ++lost_;
        return false;
    }
    events_.push_back(std::move(event));
    return true;
}

bool EventQueue::pop(LinkEvent& event) {
    if (events_.empty()) return false;
    event = std::move(events_.front());
    events_.pop_front();
    return true;
}

}  // namespace verrin
