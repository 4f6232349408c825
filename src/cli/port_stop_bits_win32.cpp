#include "cli/port_stop_bits.h"

#include "serial/character_frame.h"

namespace drovane {

// A COM port takes one and a half as it stands.
double portStopBits(double profileStopBits) {
    return frameStopBits(profileStopBits);
}

} // namespace drovane
