#pragma once

// The log of a line's errors: the position line, then one line per flag.
// A reception logs each line error once, however often the line repeats it.

#include "serial/serial_error.h"
#include "transfer/job_console.h"

#include <cstdint>

namespace drovane {

class LineErrorLog {
public:
    explicit LineErrorLog(JobConsole& console) : console_(console) {}

    // Every flag of `errors`, at `position` (1-based, or the bytes scanned).
    void report(SerialError errors, std::int64_t position);
    // The flags of `errors` whose line errors were not logged before;
    // nothing when none is left.
    void reportNew(SerialError errors, std::int64_t position);
    // A line error has been logged.
    bool any() const { return seen_ != SerialError::None; }

private:
    JobConsole& console_;
    SerialError seen_ = SerialError::None;
};

} // namespace drovane
