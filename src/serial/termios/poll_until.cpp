#include "serial/termios/poll_until.h"

#include <algorithm>
#include <array>

namespace drovane {

short pollUntil(int fd, short events, int wake, std::optional<LineClock::time_point> until) {
    using std::chrono::nanoseconds;
    std::array<pollfd, 2> entries{{{fd, events, 0}, {wake, POLLIN, 0}}};
    timespec limit{};
    timespec* limitPointer = nullptr;
    if (until) {
        const auto left = std::max(nanoseconds(0), *until - LineClock::now());
        const auto ns = std::chrono::duration_cast<nanoseconds>(left).count();
        limit.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        limit.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        limitPointer = &limit;
    }
    const int ready = ::ppoll(entries.data(), entries.size(), limitPointer, nullptr);
    return ready > 0 ? entries[0].revents : 0;
}

} // namespace drovane
