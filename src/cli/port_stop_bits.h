#pragma once

// The stop bits a system port really puts on the line for a profile's value.

namespace drovane {

double portStopBits(double profileStopBits);

} // namespace drovane
