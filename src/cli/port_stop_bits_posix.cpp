#include "cli/port_stop_bits.h"

#include "serial/termios/termios_config.h"

namespace drovane {

// A terminal port has no one and a half.
double portStopBits(double profileStopBits) {
    return twoStopBits(profileStopBits) ? 2.0 : 1.0;
}

} // namespace drovane
