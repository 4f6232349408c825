#pragma once

// The read and the wait for input every port shares, written once over the
// few things a port really does its own way. A port offers:
//   refresh()                  moves what has arrived into its receive queue
//                              (and answers due flow characters)
//   take(target, count)        up to `count` bytes out of that queue
//   queued()                   bytes in that queue
//   ended()                    hang-up or reset: nothing more will come
//   reportDue()                an error or hang-up waits for takeErrors
//   abortRaised()              a watched abort request is raised
//   waitForInput(until, abort) blocks until input (its descriptor, handle
//                              or socket), `until`, or with `abort` true the
//                              abort request's wake signal
// The clock is injected, so each algorithm runs against a fake port and a
// fake clock in the tests.

#include "serial/line_deadlines.h"
#include "serial/serial_types.h"

#include <concepts>
#include <cstddef>
#include <optional>

namespace drovane {

template <class Port>
concept InputPort = requires(Port& port, unsigned char* target, std::size_t count,
                             std::optional<LineClock::time_point> until, bool abort) {
    port.refresh();
    { port.take(target, count) } -> std::same_as<std::size_t>;
    { port.queued() } -> std::same_as<std::size_t>;
    { port.ended() } -> std::same_as<bool>;
    { port.reportDue() } -> std::same_as<bool>;
    { port.abortRaised() } -> std::same_as<bool>;
    port.waitForInput(until, abort);
};

template <class Clock>
concept LineTimeSource = requires(const Clock& clock) {
    { clock.now() } -> std::same_as<LineClock::time_point>;
};

struct SystemLineClock {
    LineClock::time_point now() const { return LineClock::now(); }
};

// Up to `count` bytes under the read timeouts; the count read. An ended
// line returns what came before its end.
template <InputPort Port, LineTimeSource Clock>
std::size_t readUnderTimeouts(Port& port, const Clock& clock, const SerialTimeouts& timeouts,
                              unsigned char* target, std::size_t count, double clockSpeed = 1.0) {
    ReadTimer timer(timeouts, count, clock.now(), clockSpeed);
    std::size_t got = 0;
    for (;;) {
        port.refresh();
        const std::size_t taken = port.take(target + got, count - got);
        if (taken > 0) {
            got += taken;
            timer.bytesArrived(clock.now());
        }
        if (timer.finished(got) || port.ended()) {
            return got;
        }
        const auto until = timer.deadline(got);
        if (until && clock.now() >= *until) {
            return got;
        }
        port.waitForInput(until, false);
    }
}

// True as soon as bytes wait or an error or hang-up waits to be taken;
// false once `limit` has passed or a watched abort came. What wakes the
// port but is nothing to take (flow characters) does not end the wait.
template <InputPort Port, LineTimeSource Clock>
bool awaitInput(Port& port, const Clock& clock, LineClock::duration limit) {
    const auto until = clock.now() + limit;
    for (;;) {
        port.refresh();
        if (port.queued() > 0 || port.reportDue()) {
            return true;
        }
        if (port.abortRaised() || clock.now() >= until) {
            return false;
        }
        port.waitForInput(until, true);
    }
}

} // namespace drovane
