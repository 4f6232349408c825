#include "service/machine_state.h"

#include <utility>

namespace drovane {

MachineState::MachineState() {
    enter(MachineActivity::Off);
}

void MachineState::enter(MachineActivity activity, std::string file) {
    const std::scoped_lock lock(mutex_);
    now_ = MachineSnapshot{activity, std::move(file), 0, std::chrono::system_clock::now(),
                           std::chrono::steady_clock::now()};
}

void MachineState::addBytes(std::int64_t count) {
    const std::scoped_lock lock(mutex_);
    now_.bytes += count;
}

void MachineState::setBytes(std::int64_t count) {
    const std::scoped_lock lock(mutex_);
    now_.bytes = count;
}

void MachineState::setTotal(std::int64_t count) {
    const std::scoped_lock lock(mutex_);
    now_.total = count;
}

MachineSnapshot MachineState::snapshot() const {
    const std::scoped_lock lock(mutex_);
    return now_;
}

std::int64_t bytesPerSecond(const MachineSnapshot& snapshot,
                            std::chrono::steady_clock::time_point now) {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - snapshot.steadySince).count();
    return elapsed > 0 ? snapshot.bytes * 1000 / elapsed : 0;
}

} // namespace drovane
