#pragma once

// The listing of `drovane-cli machines`: per machine its name, port, baud
// rate, frame (data bits, parity letter, stop bits: "7E2") and handshake, as
// the line of a transfer gets them (stop bits as its back end takes them), or
// "ungültig" where the port would refuse to open; the remembered machine is
// marked with "*".

#include "cli/machine_choice.h"
#include "transfer/settings_snapshot.h"

#include <string>
#include <vector>

namespace drovane {

// "7E2", "8N1", "7O1.5" (only the virtual line has one and a half).
std::string frameText(const SettingsSnapshot& shown);

std::vector<std::string> machineLines(const MachineTable& table);

} // namespace drovane
