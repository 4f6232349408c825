#include "serial/system_serial_line.h"
#include "serial/win32/win32_serial_line.h"

namespace drovane {

std::unique_ptr<SerialLine> makeSystemSerialLine() {
    return std::make_unique<Win32SerialLine>();
}

} // namespace drovane
