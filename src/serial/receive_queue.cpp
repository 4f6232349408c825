#include "serial/receive_queue.h"

#include <algorithm>

namespace drovane {

ReceiveQueue::ReceiveQueue(std::size_t capacity, FlowLimits limits, bool softwareFlow)
    : capacity_(std::max<std::size_t>(capacity, 1)),
      // At least one byte must wait before XOFF, and XON needs a level below
      // the XOFF level, or the two would chase each other.
      xoffThreshold_(capacity_ - std::min<std::size_t>(limits.xoffLim, capacity_ - 1)),
      xonThreshold_(std::min<std::size_t>(limits.xonLim, xoffThreshold_ - 1)),
      softwareFlow_(softwareFlow) {}

void ReceiveQueue::setFlowCharacters(unsigned char xon, unsigned char xoff) {
    xon_ = xon;
    xoff_ = xoff;
}

void ReceiveQueue::accept(const unsigned char* data, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char byte = data[i];
        if (softwareFlow_ && byte == xoff_) {
            heldByXoff_ = true;
        } else if (softwareFlow_ && byte == xon_) {
            heldByXoff_ = false;
        } else if (bytes_.size() < capacity_) {
            bytes_.push_back(byte);
        } else {
            overflow_ = true;
        }
    }
}

std::size_t ReceiveQueue::take(unsigned char* target, std::size_t count) {
    const std::size_t taken = std::min(count, bytes_.size());
    std::copy_n(bytes_.begin(), taken, target);
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(taken));
    return taken;
}

std::optional<unsigned char> ReceiveQueue::flowCharacterDue() const {
    if (!softwareFlow_) {
        return std::nullopt;
    }
    if (!xoffSent_ && bytes_.size() >= xoffThreshold_) {
        return xoff_;
    }
    if (xoffSent_ && bytes_.size() <= xonThreshold_) {
        return xon_;
    }
    return std::nullopt;
}

void ReceiveQueue::flowCharacterSent(unsigned char character) {
    xoffSent_ = character == xoff_;
}

bool ReceiveQueue::takeOverflow() {
    const bool overflow = overflow_;
    overflow_ = false;
    return overflow;
}

} // namespace drovane
