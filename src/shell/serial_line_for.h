#pragma once

// The line a job uses for the port named in PortCombo.

#include "transfer/serial_line.h"

#include <memory>
#include <string_view>

namespace drovane {

// A terminal device for every name; the virtual machine control, when it
// comes, is chosen here by its port name.
std::unique_ptr<SerialLine> serialLineFor(std::string_view portName);

} // namespace drovane
