#include "shell/serial_line_for.h"

#include "transfer/termios_serial_line.h"

namespace drovane {

std::unique_ptr<SerialLine> serialLineFor(std::string_view /*portName*/) {
    return std::make_unique<TermiosSerialLine>();
}

} // namespace drovane
