#pragma once

// Received bytes waiting for read, with the software flow control of the
// input side: in XON/XOFF mode the flow characters from the far end are
// swallowed here (never shown to read) and decide whether output is held, and
// the queue's fill level decides when this side asks the far end to pause.

#include "serial/flow_control.h"

#include <cstddef>
#include <deque>
#include <optional>

namespace drovane {

class ReceiveQueue {
public:
    ReceiveQueue(std::size_t capacity, FlowLimits limits, bool softwareFlow);

    void setFlowCharacters(unsigned char xon, unsigned char xoff);
    unsigned char xonCharacter() const { return xon_; }
    unsigned char xoffCharacter() const { return xoff_; }

    // Bytes from the line. Data beyond the capacity is dropped and remembered
    // as an overflow.
    void accept(const unsigned char* data, std::size_t count);
    std::size_t take(unsigned char* target, std::size_t count);

    std::size_t size() const { return bytes_.size(); }
    std::size_t room() const { return capacity_ - bytes_.size(); }
    std::size_t capacity() const { return capacity_; }

    bool softwareFlow() const { return softwareFlow_; }
    // The last flow character from the far end was XOFF.
    bool heldByXoff() const { return heldByXoff_; }
    // This side has asked the far end to pause.
    bool xoffSent() const { return xoffSent_; }

    // The flow character this side should send now; report it with
    // flowCharacterSent once it is out.
    std::optional<unsigned char> flowCharacterDue() const;
    void flowCharacterSent(unsigned char character);

    // True once after data was dropped.
    bool takeOverflow();

private:
    std::deque<unsigned char> bytes_;
    std::size_t capacity_;
    std::size_t xoffThreshold_;
    std::size_t xonThreshold_;
    bool softwareFlow_;
    unsigned char xon_ = kDefaultXon;
    unsigned char xoff_ = kDefaultXoff;
    bool heldByXoff_ = false;
    bool xoffSent_ = false;
    bool overflow_ = false;
};

} // namespace drovane
