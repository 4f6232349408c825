#pragma once

// The listing of `drovane-cli machines`: per machine its name, port, baud
// rate, frame (data bits, parity letter, stop bits: "7E2") and handshake, as
// a transfer would use them; the remembered machine is marked with "*".

#include "cli/machine_choice.h"
#include "transfer/settings_snapshot.h"

#include <string>
#include <vector>

namespace drovane {

// "7E2", "8N1", "7O1.5".
std::string frameText(const SettingsSnapshot& shown);

std::vector<std::string> machineLines(const MachineTable& table);

} // namespace drovane
