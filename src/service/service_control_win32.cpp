#include "service/service_control.h"

#include "service/service_control_messages.h"
#include "service/service_run.h"
#include "service/service_state_win32.h"
#include "service/service_stop_win32.h"

#include <array>
#include <string>
#include <windows.h>

namespace drovane {
namespace {

// The dispatcher calls serviceMain on a thread of its own, without a way to
// hand it anything but the manager's arguments.
struct ServiceFiles {
    std::filesystem::path settings;
    std::filesystem::path service;
    std::ostream* out = nullptr;
};

ServiceFiles& serviceFiles() {
    static ServiceFiles files;
    return files;
}

std::wstring wideServiceName() {
    return {kServiceName.begin(), kServiceName.end()};
}

DWORD WINAPI onControl(DWORD control, DWORD /*type*/, LPVOID /*data*/, LPVOID /*context*/) {
    switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
        reportServiceState(SERVICE_STOP_PENDING);
        requestServiceStop();
        return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
    default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void WINAPI serviceMain(DWORD /*count*/, LPWSTR* /*words*/) {
    const std::wstring name = wideServiceName();
    const SERVICE_STATUS_HANDLE handle =
        RegisterServiceCtrlHandlerExW(name.c_str(), onControl, nullptr);
    if (handle == nullptr) {
        return;
    }
    attachServiceState(handle);
    reportServiceState(SERVICE_START_PENDING);
    const ServiceFiles& files = serviceFiles();
    const int code = runService(files.settings, files.service, *files.out);
    reportServiceState(SERVICE_STOPPED, code);
}

} // namespace

int serveAsService(const std::filesystem::path& settingsFile,
                   const std::filesystem::path& serviceFile, std::ostream& out, std::ostream& err) {
    serviceFiles() = {settingsFile, serviceFile, &out};
    std::wstring name = wideServiceName();
    const std::array<SERVICE_TABLE_ENTRYW, 2> table = {
        {{name.data(), serviceMain}, {nullptr, nullptr}}};
    if (StartServiceCtrlDispatcherW(table.data()) == 0) {
        err << service_control_messages::kNotUnderManager << '\n';
        return 1;
    }
    return 0;
}

} // namespace drovane
