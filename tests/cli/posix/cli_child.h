#pragma once

// A command-line program (drovane-cli, or wine running drovane-cli.exe) run
// as a child process, its standard output and error read as
// they come, and a scripted peer on the master side of a pseudo-terminal
// whose slave the child opens as its port.

#include "core/unique_fd.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace drovane::testing {

using std::chrono::milliseconds;

class CliChild {
public:
    // `program` is run with `arguments` after its own name.
    CliChild(const std::string& program, const std::vector<std::string>& arguments);
    ~CliChild();
    CliChild(const CliChild&) = delete;
    CliChild& operator=(const CliChild&) = delete;
    CliChild(CliChild&&) = delete;
    CliChild& operator=(CliChild&&) = delete;

    // True once standard output holds `text`; false after `limit`.
    bool waitForOutput(const std::string& text, milliseconds limit = milliseconds(10000));
    void signal(int number) const;
    // The exit code; -1 when the child did not end in `limit` (it is then
    // killed) or ended by a signal.
    int wait(milliseconds limit = milliseconds(20000));

    std::string out();
    std::string err();

private:
    void pump(milliseconds limit);

    pid_t pid_ = -1;
    UniqueFd out_;
    UniqueFd err_;
    std::string outText_;
    std::string errText_;
    int status_ = -1;
};

class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;
    PtyPeer(PtyPeer&&) = delete;
    PtyPeer& operator=(PtyPeer&&) = delete;

    const std::string& slavePath() const { return slavePath_; }
    void write(const std::string& bytes) const;
    // Everything the port sent so far.
    std::string received() const;
    bool waitForBytes(std::size_t count, milliseconds limit = milliseconds(10000)) const;

private:
    void readLoop(const std::stop_token& stop);

    UniqueFd master_;
    // Held open so that nothing written between the child's opens is lost.
    UniqueFd slave_;
    std::string slavePath_;
    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    std::string received_;
    std::jthread reader_;
};

} // namespace drovane::testing
