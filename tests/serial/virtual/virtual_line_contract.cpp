// The line contract on the virtual line: the far end is the cable's.

#include "line_contract.h"

#include "serial/virtual/virtual_serial_line.h"

#include <algorithm>

namespace drovane::contract {
namespace {

class VirtualBackEnd {
public:
    // The far end takes every byte at once, so only the byte on its way when
    // the XOFF came and the one the writer had begun may follow.
    static constexpr std::size_t kMostAfterXoff = 2;

    SerialLine& line() { return line_; }
    static SerialSettings settings(Handshake handshake) {
        SerialSettings s;
        s.portName = "COM1";
        s.baudRate = 9600;
        s.handshake = handshake;
        return s;
    }
    void send(std::string_view bytes) const { far_.send(bytes); }
    std::string receive(std::size_t count, milliseconds quiet) {
        std::string got;
        while (got.size() < count && far_.waitForReceived(taken_ + 1, quiet)) {
            const std::string all = far_.received();
            const std::size_t n = std::min(count - got.size(), all.size() - taken_);
            got += all.substr(taken_, n);
            taken_ += n;
        }
        return got;
    }
    std::size_t waiting() const { return far_.received().size() - taken_; }
    void hangUp() const { far_.setConnected(false); }

private:
    VirtualSerialLine line_;
    VirtualFarEnd far_ = line_.farEnd();
    std::size_t taken_ = 0;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Virtual, LineContract, VirtualBackEnd);

} // namespace drovane::contract
