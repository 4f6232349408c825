#include "service/service_signals.h"

#include "service/service_stop_win32.h"

#include <atomic>
#include <windows.h>

namespace drovane {
namespace {

// The console's handler runs on a thread of its own: it only sets the event.
HANDLE stopEvent() {
    static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

// A service gets every user's log-off as a console event too: that must not
// end it.
BOOL WINAPI onConsoleEvent(DWORD type) {
    if (type == CTRL_LOGOFF_EVENT) {
        return FALSE;
    }
    SetEvent(stopEvent());
    return TRUE;
}

} // namespace

void requestServiceStop() {
    SetEvent(stopEvent());
}

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
