#pragma once

// A stack of its own for the fatal-error handler, so that a thread that ran
// out of stack can still report it. Signal stacks are per thread: every
// thread that may overflow (the main thread, a job thread) holds one.

#include <memory>

namespace drovane {

class AlternateSignalStack {
public:
    AlternateSignalStack();
    AlternateSignalStack(const AlternateSignalStack&) = delete;
    AlternateSignalStack& operator=(const AlternateSignalStack&) = delete;
    ~AlternateSignalStack();

    bool installed() const { return installed_; }

private:
    std::unique_ptr<char[]> memory_;
    bool installed_ = false;
};

} // namespace drovane
