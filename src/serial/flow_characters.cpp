#include "serial/flow_characters.h"

namespace drovane {

bool setFlowCharacter(ReceiveQueue& queue, SerialSignal signal, int value) {
    const auto low8 = static_cast<unsigned char>(value & 0xFF);
    if (signal == SerialSignal::XonChar) {
        queue.setFlowCharacters(low8, queue.xoffCharacter());
        return true;
    }
    if (signal == SerialSignal::XoffChar) {
        queue.setFlowCharacters(queue.xonCharacter(), low8);
        return true;
    }
    return false;
}

std::optional<int> flowCharacter(const ReceiveQueue& queue, SerialSignal signal) {
    if (signal == SerialSignal::XonChar) {
        return static_cast<signed char>(queue.xonCharacter());
    }
    if (signal == SerialSignal::XoffChar) {
        return static_cast<signed char>(queue.xoffCharacter());
    }
    return std::nullopt;
}

SerialError takeQueueErrors(ReceiveQueue& queue) {
    SerialError errors = SerialError::None;
    if (queue.takeOverflow()) {
        errors |= SerialError::RxOver;
    }
    if (queue.softwareFlow() && queue.heldByXoff()) {
        errors |= SerialError::XoffReceived;
    }
    if (queue.xoffSent()) {
        errors |= SerialError::XoffSent;
    }
    return errors;
}

} // namespace drovane
