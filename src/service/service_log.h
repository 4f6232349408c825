#pragma once

// Standard output shared by every machine's thread: one whole line at a time,
// each as "<machine>: <line>", flushed at once for the system's journal.

#include <mutex>
#include <ostream>
#include <string_view>

namespace drovane {

class ServiceLog {
public:
    explicit ServiceLog(std::ostream& out) : out_(out) {}

    // `machine` empty: a line of the service itself.
    void line(std::string_view machine, std::string_view text);

private:
    std::mutex mutex_;
    std::ostream& out_;
};

} // namespace drovane
