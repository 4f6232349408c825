#include "serial/wake_signal.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace drovane {

WakeSignal::WakeSignal() : native_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

WakeSignal::~WakeSignal() {
    if (native_ >= 0) {
        ::close(static_cast<int>(native_));
    }
}

void WakeSignal::set() const {
    const std::uint64_t one = 1;
    static_cast<void>(::write(static_cast<int>(native_), &one, sizeof one));
}

void WakeSignal::reset() const {
    std::uint64_t count = 0;
    static_cast<void>(::read(static_cast<int>(native_), &count, sizeof count));
}

} // namespace drovane
