#pragma once

// A program started by a test, with its stdin and stdout on pipes and its
// own environment additions; killed and reaped when the test lets it go.

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace drovane {

class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::vector<std::pair<std::string, std::string>>& environment,
                 const std::string& workingDirectory = {});
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    void writeLine(const std::string& line) const;
    // The next line of its output, or nothing when none came in time.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);
    // The exit code once it has ended (-signal when killed), or nothing in time.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    void kill();

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string buffered_;
    std::optional<int> exitCode_;
};

} // namespace drovane
