#include "cli/signal_watch.h"
#include "core/unique_fd.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <thread>
#include <unistd.h>

namespace drovane {
namespace {

sigset_t watchedSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

} // namespace

// SIGINT and SIGTERM blocked for the calling thread and every thread it
// starts afterwards, and read by a thread of its own. Being blocked, they are
// queued even when the caller inherited them ignored.
class SignalWatch::Source {
public:
    explicit Source(const SignalWatch& watch) : watch_(watch) {
        const sigset_t set = watchedSignals();
        if (::pthread_sigmask(SIG_BLOCK, &set, &previous_) != 0) {
            return;
        }
        blocked_ = true;
        signals_.reset(::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC));
        stop_.reset(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
        if (!signals_.valid() || !stop_.valid()) {
            // Signals then act as usual.
            ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
            blocked_ = false;
            return;
        }
        watcher_ = std::thread([this] { readSignals(); });
    }

    ~Source() {
        if (watcher_.joinable()) {
            const std::uint64_t one = 1;
            [[maybe_unused]] const auto written = ::write(stop_.get(), &one, sizeof one);
            watcher_.join();
        }
        if (blocked_) {
            dropPending();
            ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
        }
    }

    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;
    Source(Source&&) = delete;
    Source& operator=(Source&&) = delete;

private:
    void readSignals() const {
        for (;;) {
            std::array<pollfd, 2> fds{{{signals_.get(), POLLIN, 0}, {stop_.get(), POLLIN, 0}}};
            if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) {
                return;
            }
            if ((fds[1].revents & POLLIN) != 0) {
                return;
            }
            signalfd_siginfo info{};
            while (::read(signals_.get(), &info, sizeof info) == sizeof info) {
                watch_.interrupted();
            }
        }
    }

    void dropPending() const {
        signalfd_siginfo info{};
        while (signals_.valid() && ::read(signals_.get(), &info, sizeof info) == sizeof info) {
        }
    }

    const SignalWatch& watch_;
    sigset_t previous_{};
    bool blocked_ = false;
    UniqueFd signals_;
    UniqueFd stop_;
    std::thread watcher_;
};

SignalWatch::SignalWatch(int insistedExitCode)
    : insistedExitCode_(insistedExitCode), source_(std::make_unique<Source>(*this)) {}

SignalWatch::~SignalWatch() = default;

} // namespace drovane
