#include "service/service_signals.h"

#include <atomic>
#include <windows.h>

namespace drovane {
namespace {

// The console's handler runs on a thread of its own: it only sets the event.
HANDLE stopEvent() {
    static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

BOOL WINAPI onConsoleEvent(DWORD /*type*/) {
    SetEvent(stopEvent());
    return TRUE;
}

} // namespace

ServiceSignals::ServiceSignals() {
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

ServiceSignals::~ServiceSignals() {
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
}

ServiceSignal ServiceSignals::waitFor(std::chrono::milliseconds limit) const {
    return WaitForSingleObject(stopEvent(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0
               ? ServiceSignal::Stop
               : ServiceSignal::None;
}

} // namespace drovane
