#pragma once

// Lets a line watch the abort request for as long as this lives, so that a
// held write ends at an abort instead of waiting out its timeout.

#include "serial/abort_request.h"
#include "serial/serial_line.h"

namespace drovane {

class AbortWatch {
public:
    AbortWatch(SerialLine& line, const AbortRequest& abort) : line_(line) {
        line_.watchAbort(&abort);
    }
    ~AbortWatch() { line_.watchAbort(nullptr); }
    AbortWatch(const AbortWatch&) = delete;
    AbortWatch& operator=(const AbortWatch&) = delete;
    AbortWatch(AbortWatch&&) = delete;
    AbortWatch& operator=(AbortWatch&&) = delete;

private:
    SerialLine& line_;
};

} // namespace drovane
