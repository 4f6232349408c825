#pragma once

// The read, the write, the wait for input and the drain every port shares,
// written once over the few things a port really does its own way. To be
// waited on for input a port offers:
//   refresh()                  moves what has arrived into its receive queue
//                              (and answers due flow characters)
//   queued()                   bytes in that queue
//   reportDue()                an error or hang-up waits for takeErrors
//   abortRaised()              a watched abort request is raised
//   waitForInput(until, abort) blocks until input (its descriptor, handle
//                              or socket), `until`, or with `abort` true the
//                              abort request's wake signal
// and to be read under the read timeouts (a driver that times its reads
// itself needs only the wait):
//   take(target, count)        up to `count` bytes out of that queue
//   ended()                    hang-up or reset: nothing more will come
// and for writing, with its own enum Hold whose None lets bytes go:
//   prepareOutput()            looks at the input for flow characters
//   hold()                     what holds output now
//   put(data, count, hold)     a run of bytes to the port, as many as it
//                              takes now; 0 with `hold` set when none
//   noteEnded()                a write on an ended line: an I/O error
//   giveUp(hold)               the write ends held: keeps the hold to report
//   waitOut(hold, deadline)    blocks until the hold may have gone, the
//                              deadline, or an abort
// and for the drain before a close:
//   outputQueued()             bytes still queued for sending; none when the
//                              port cannot tell
//   pauseOut(until)            sleeps until `until` at the latest or an abort
// The clock is injected, so each algorithm runs against a fake port and a
// fake clock in the tests.

#include "serial/line_deadlines.h"
#include "serial/output_drain.h"
#include "serial/serial_types.h"

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace drovane {

template <class Port>
concept InputWatch = requires(Port& port, std::optional<LineClock::time_point> until, bool abort) {
    port.refresh();
    { port.queued() } -> std::same_as<std::size_t>;
    { port.reportDue() } -> std::same_as<bool>;
    { port.abortRaised() } -> std::same_as<bool>;
    port.waitForInput(until, abort);
};

template <class Port>
concept InputPort = InputWatch<Port> &&
    requires(Port& port, unsigned char* target, std::size_t count) {
    { port.take(target, count) } -> std::same_as<std::size_t>;
    { port.ended() } -> std::same_as<bool>;
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
        // What the queue holds already is taken without asking the system.
        if (port.queued() < count - got) {
            port.refresh();
        }
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
template <InputWatch Port, LineTimeSource Clock>
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

template <class Port>
concept OutputPort = requires(Port& port, const unsigned char* data, std::size_t count,
                              typename Port::Hold hold,
                              std::optional<LineClock::time_point> deadline) {
    port.prepareOutput();
    { port.hold() } -> std::same_as<typename Port::Hold>;
    { port.put(data, count, hold) } -> std::same_as<std::size_t>;
    { port.ended() } -> std::same_as<bool>;
    { port.abortRaised() } -> std::same_as<bool>;
    port.noteEnded();
    port.giveUp(hold);
    port.waitOut(hold, deadline);
};

// `count` bytes under the write deadline and the holds; the count that went
// out. A hold is waited out until the deadline or an abort.
template <OutputPort Port, LineTimeSource Clock>
std::size_t writeUnderTimeouts(Port& port, const Clock& clock,
                               std::optional<LineClock::time_point> deadline,
                               const unsigned char* data, std::size_t count) {
    using Hold = typename Port::Hold;
    std::size_t sent = 0;
    while (sent < count) {
        port.prepareOutput();
        if (port.ended()) {
            port.noteEnded();
            break;
        }
        Hold hold = port.hold();
        if (hold == Hold::None) {
            const std::size_t put = port.put(data + sent, count - sent, hold);
            sent += put;
            if (put > 0 || port.ended()) {
                continue;
            }
        }
        if ((deadline && clock.now() >= *deadline) || port.abortRaised()) {
            port.giveUp(hold);
            break;
        }
        port.waitOut(hold, deadline);
    }
    return sent;
}

template <class Port>
concept DrainPort = requires(Port& port, LineClock::time_point until) {
    { port.outputQueued() } -> std::same_as<std::optional<std::size_t>>;
    port.pauseOut(until);
    { port.abortRaised() } -> std::same_as<bool>;
};

// The bytes left unsent once the write timeouts ran out for what was still
// queued (output_drain.h); `characterNs` paces the looks at the queue.
template <DrainPort Port, LineTimeSource Clock>
std::size_t drainUnderTimeouts(Port& port, const Clock& clock, const SerialTimeouts& timeouts,
                               std::int64_t characterNs) {
    const DrainSteps steps{
        [&port] { return port.outputQueued(); },
        [&port](LineClock::time_point until) { port.pauseOut(until); },
        [&clock] { return clock.now(); },
        [&port] { return port.abortRaised(); },
    };
    return drainOutput(steps, timeouts, characterNs);
}

} // namespace drovane
