#include "slave_line_settings.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace drovane {

std::optional<SlaveLineSettings> slaveLineSettings(int slaveFd) {
    termios2 values{};
    if (::ioctl(slaveFd, TCGETS2, &values) != 0) {
        return std::nullopt;
    }
    SlaveLineSettings settings;
    settings.baudRate = values.c_ospeed;
    settings.twoStopBits = (values.c_cflag & CSTOPB) != 0;
    settings.outputFlow = (values.c_iflag & IXON) != 0;
    settings.inputFlow = (values.c_iflag & IXOFF) != 0;
    return settings;
}

} // namespace drovane
