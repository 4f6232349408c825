#pragma once

// The answer of `drovane-dnc status`: one line per served machine with its
// state, file, bytes, bytes per second and since when.

#include "service/machine_state.h"

#include <chrono>
#include <string>
#include <vector>

namespace drovane {

struct MachineStatus {
    std::string machine; // UTF-8
    MachineSnapshot snapshot;
};

std::string statusText(const std::vector<MachineStatus>& machines,
                       std::chrono::steady_clock::time_point now);

// "YYYY-MM-DD HH:MM:SS" in UTC.
std::string utcTimeText(std::chrono::system_clock::time_point time);

} // namespace drovane
