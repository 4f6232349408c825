#include "cli/signal_watch.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
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

void addOne(int fd) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(fd, &one, sizeof one);
}

} // namespace

SignalWatch::SignalWatch(int insistedExitCode) : insistedExitCode_(insistedExitCode) {
    const sigset_t set = watchedSignals();
    if (::pthread_sigmask(SIG_BLOCK, &set, &previous_) != 0) {
        return;
    }
    blocked_ = true;
    signals_.reset(::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC));
    arrived_.reset(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    stop_.reset(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    if (!signals_.valid() || !arrived_.valid() || !stop_.valid()) {
        arrived_.reset();
        ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
        blocked_ = false;
        return;
    }
    watcher_ = std::thread([this] { watch(); });
}

SignalWatch::~SignalWatch() {
    if (watcher_.joinable()) {
        addOne(stop_.get());
        watcher_.join();
    }
    if (blocked_) {
        dropPending();
        ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
}

void SignalWatch::watch() const {
    int seen = 0;
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
            if (++seen > 1) {
                // The first one was not enough: the operator insists.
                std::_Exit(insistedExitCode_);
            }
            addOne(arrived_.get());
        }
    }
}

int SignalWatch::take() const {
    std::uint64_t count = 0;
    if (!arrived_.valid() || ::read(arrived_.get(), &count, sizeof count) != sizeof count) {
        return 0;
    }
    return static_cast<int>(count);
}

void SignalWatch::dropPending() const {
    signalfd_siginfo info{};
    while (signals_.valid() && ::read(signals_.get(), &info, sizeof info) == sizeof info) {
    }
}

DoneEvent::DoneEvent() : fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

void DoneEvent::set() const {
    addOne(fd_.get());
}

} // namespace drovane
