// The interrupt watch with real signals: a forked child that blocks them,
// which only POSIX has.

#include "cli/signal_watch.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace drovane {
namespace {

using namespace std::chrono_literals;

// Runs a SignalWatch in a child process that reports the first signal it
// takes and then hangs in a read nobody answers, as a load of a FIFO or an
// open of a port would. The second signal must end it all the same.
struct InsistingOperator {
    const char* what;
    bool inheritedIgnored;
    int first;
    int second;
};

pid_t childWithWatch(bool inheritedIgnored, int report) {
    const pid_t pid = ::fork();
    if (pid != 0) {
        return pid;
    }
    if (inheritedIgnored) {
        std::signal(SIGINT, SIG_IGN);
        std::signal(SIGTERM, SIG_IGN);
    }
    const SignalWatch watch(3);
    char ready = 'r';
    [[maybe_unused]] auto written = ::write(report, &ready, 1);
    watch.waitFor(std::chrono::hours(1));
    const char taken = static_cast<char>('0' + watch.take());
    written = ::write(report, &taken, 1);
    std::array<int, 2> never{};
    if (::pipe(never.data()) == 0) {
        char nothing = 0;
        [[maybe_unused]] const auto got = ::read(never[0], &nothing, 1);
    }
    ::_exit(99);
}

char readWithin(int fd, std::chrono::seconds limit) {
    pollfd readable{fd, POLLIN, 0};
    char byte = 0;
    if (::poll(&readable, 1, static_cast<int>(limit.count() * 1000)) != 1 ||
        ::read(fd, &byte, 1) != 1) {
        return 0;
    }
    return byte;
}

// The exit code, or -1 when the child still lives after `limit` (then killed)
// or died by a signal.
int exitCodeWithin(pid_t pid, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= end) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(10ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SignalWatch, TheSecondSignalEndsTheProcessWhereverItHangs) {
    const InsistingOperator cases[] = {
        {"two SIGINT", false, SIGINT, SIGINT},
        {"SIGTERM then SIGINT", false, SIGTERM, SIGINT},
        {"started from a script that ignores them", true, SIGINT, SIGTERM},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::array<int, 2> report{};
        ASSERT_EQ(::pipe2(report.data(), O_CLOEXEC), 0);
        const pid_t child = childWithWatch(c.inheritedIgnored, report[1]);
        ASSERT_GT(child, 0);
        ::close(report[1]);
        ASSERT_EQ(readWithin(report[0], 20s), 'r');
        ::kill(child, c.first);
        EXPECT_EQ(readWithin(report[0], 20s), '1') << "the first signal is taken, not fatal";
        ::kill(child, c.second);
        EXPECT_EQ(exitCodeWithin(child, 20s), 3);
        ::close(report[0]);
    }
}

} // namespace
} // namespace drovane
