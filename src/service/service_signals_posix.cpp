#include "service/service_signals.h"

#include <csignal>
#include <ctime>
#include <pthread.h>

namespace drovane {
namespace {

sigset_t serviceSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

ServiceSignals::ServiceSignals() {
    const sigset_t set = serviceSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

ServiceSignals::~ServiceSignals() {
    const sigset_t set = serviceSignals();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

ServiceSignal ServiceSignals::waitFor(std::chrono::milliseconds limit) const {
    const sigset_t set = serviceSignals();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limit);
    const timespec wait{static_cast<time_t>(seconds.count()),
                        static_cast<long>((limit - seconds).count() * 1000000)};
    const int number = sigtimedwait(&set, nullptr, &wait);
    if (number == SIGHUP) {
        return ServiceSignal::Reload;
    }
    return number > 0 ? ServiceSignal::Stop : ServiceSignal::None;
}

} // namespace drovane
