#pragma once

// What a served machine is doing, as `drovane-dnc status` shows it, and the
// figures of its transfer. Written by the machine's thread, read by the
// status channel's; thread-safe.

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace drovane {

enum class MachineActivity : std::uint8_t {
    Waiting,
    Receiving,
    Sending,
    Stopped,
    PortMissing,
    Off
};

inline constexpr std::array<std::string_view, 6> kActivityNames = {
    "wartet", "empfängt", "sendet", "angehalten", "Port fehlt", "aus"};

constexpr std::string_view activityName(MachineActivity activity) {
    return kActivityNames.at(static_cast<std::size_t>(activity));
}

struct MachineSnapshot {
    MachineActivity activity = MachineActivity::Off;
    std::string file; // UTF-8; empty while nothing is moved
    std::int64_t bytes = 0;
    std::chrono::system_clock::time_point since;
    std::chrono::steady_clock::time_point steadySince;
    std::int64_t total = 0; // of a send; 0 while unknown
};

class MachineState {
public:
    // Off since now: a machine not yet started is not off since 1970.
    MachineState();
    // A new activity starts its figures and its "since" afresh.
    void enter(MachineActivity activity, std::string file = {});
    void addBytes(std::int64_t count);
    void setBytes(std::int64_t count);
    void setTotal(std::int64_t count);
    MachineSnapshot snapshot() const;

private:
    mutable std::mutex mutex_;
    MachineSnapshot now_;
};

// Bytes per second since the activity began; 0 for no time yet.
std::int64_t bytesPerSecond(const MachineSnapshot& snapshot,
                            std::chrono::steady_clock::time_point now);

} // namespace drovane
