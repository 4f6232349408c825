#pragma once

// What the board shows and does, as the running service offers it: the
// machines' states and the two actions. Called from the board's thread.

#include "service/machine_state.h"
#include "service/service_settings.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drovane {

struct BoardMachine {
    std::string name;          // UTF-8
    std::string port;          // UTF-8
    std::int64_t lineRate = 0; // bytes per second the line carries
    MachineSnapshot snapshot;
};

enum class BoardActionResult : std::uint8_t { Started, Busy, NothingRuns, UnknownMachine };

class BoardSource {
public:
    virtual ~BoardSource() = default;
    virtual std::vector<BoardMachine> machines() const = 0;
    // `name` UTF-8; its group of drovane-dnc.ini, for the send's lookup.
    virtual std::optional<ServedMachine> servedMachine(std::string_view name) const = 0;
    // drovane.ini's "Pattern".
    virtual std::string pattern() const = 0;
    virtual BoardActionResult send(std::string_view name, const std::filesystem::path& file) = 0;
    virtual BoardActionResult abort(std::string_view name) = 0;
};

} // namespace drovane
