#include "cli/signal_watch.h"

#include <cstdint>
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

} // namespace

SignalWatch::SignalWatch() {
    const sigset_t set = watchedSignals();
    if (::pthread_sigmask(SIG_BLOCK, &set, &previous_) != 0) {
        return;
    }
    blocked_ = true;
    fd_.reset(::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC));
    if (!fd_.valid()) {
        ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
        blocked_ = false;
    }
}

SignalWatch::~SignalWatch() {
    if (blocked_) {
        take();
        ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
}

int SignalWatch::take() {
    int count = 0;
    signalfd_siginfo info{};
    while (fd_.valid() && ::read(fd_.get(), &info, sizeof info) == sizeof info) {
        ++count;
    }
    return count;
}

DoneEvent::DoneEvent() : fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

void DoneEvent::set() const {
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(fd_.get(), &one, sizeof one);
}

} // namespace drovane
