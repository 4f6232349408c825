#pragma once

// A flag the system can wait on beside a line's own descriptor or handle: an
// eventfd on Linux, a manual-reset event on Windows. Set, it stays set until
// reset, so a waiter that comes late still wakes at once.

#include <cstdint>

namespace drovane {

class WakeSignal {
public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;
    WakeSignal(WakeSignal&&) = delete;
    WakeSignal& operator=(WakeSignal&&) = delete;

    void set() const;
    void reset() const;
    // The descriptor (Linux) or HANDLE (Windows) to wait on; readable or
    // signalled while set.
    std::intptr_t native() const { return native_; }

private:
    std::intptr_t native_;
};

} // namespace drovane
