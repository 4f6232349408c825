#include "service/service_state_win32.h"

#include <mutex>

namespace drovane {
namespace {

// How long the manager waits for the next step before it gives up on a
// pending state; opening many ports under load takes a while.
constexpr DWORD kStartWaitHint = 30'000;
constexpr DWORD kStopWaitHint = 5'000;

// Both the service's thread and the control handler's report.
struct Reporter {
    std::mutex mutex;
    SERVICE_STATUS_HANDLE handle = nullptr;
    SERVICE_STATUS status{};
};

Reporter& reporter() {
    static Reporter instance;
    return instance;
}

DWORD acceptedControls(DWORD state) {
    return state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
}

DWORD waitHint(DWORD state) {
    if (state == SERVICE_START_PENDING) {
        return kStartWaitHint;
    }
    return state == SERVICE_STOP_PENDING ? kStopWaitHint : 0;
}

} // namespace

void attachServiceState(SERVICE_STATUS_HANDLE handle) {
    Reporter& each = reporter();
    const std::scoped_lock lock(each.mutex);
    each.handle = handle;
    each.status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
}

void reportServiceState(DWORD state, int exitCode) {
    Reporter& each = reporter();
    const std::scoped_lock lock(each.mutex);
    if (each.handle == nullptr || each.status.dwCurrentState == SERVICE_STOPPED) {
        return;
    }
    SERVICE_STATUS& status = each.status;
    const bool pending = state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING;
    status.dwCheckPoint = pending && status.dwCurrentState == state ? status.dwCheckPoint + 1 : 0;
    status.dwCurrentState = state;
    status.dwControlsAccepted = acceptedControls(state);
    status.dwWaitHint = waitHint(state);
    status.dwWin32ExitCode = exitCode == 0 ? NO_ERROR : ERROR_SERVICE_SPECIFIC_ERROR;
    status.dwServiceSpecificExitCode = static_cast<DWORD>(exitCode);
    SetServiceStatus(each.handle, &status);
}

} // namespace drovane
