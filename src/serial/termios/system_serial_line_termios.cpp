#include "serial/system_serial_line.h"
#include "serial/termios/termios_serial_line.h"

namespace drovane {

std::unique_ptr<SerialLine> makeSystemSerialLine() {
    return std::make_unique<TermiosSerialLine>();
}

} // namespace drovane
