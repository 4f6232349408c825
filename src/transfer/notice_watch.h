#pragma once

// Lets a line put its notices into the job's log for as long as this lives.

#include "serial/serial_error.h"
#include "serial/serial_line.h"

#include <utility>

namespace drovane {

class NoticeWatch {
public:
    NoticeWatch(SerialLine& line, LogSink log) : line_(line), log_(std::move(log)) {
        line_.watchNotices(&log_);
    }
    ~NoticeWatch() { line_.watchNotices(nullptr); }
    NoticeWatch(const NoticeWatch&) = delete;
    NoticeWatch& operator=(const NoticeWatch&) = delete;
    NoticeWatch(NoticeWatch&&) = delete;
    NoticeWatch& operator=(NoticeWatch&&) = delete;

private:
    SerialLine& line_;
    LogSink log_;
};

} // namespace drovane
