#include "service/service_command_line.h"
#include "service/service_control.h"
#include "service/service_control_messages.h"
#include "service/service_manager_handle_win32.h"
#include "transfer/sentence.h"

#include <array>
#include <chrono>
#include <string>
#include <thread>
#include <windows.h>

namespace drovane {
namespace {

namespace cm = service_control_messages;

constexpr DWORD kRestartDelayMs = 5'000;
constexpr DWORD kFailureCountResetSeconds = 24 * 60 * 60;
// The service ends within 2 s of a stop; a loaded PC gets more.
constexpr std::chrono::seconds kStopLimit(30);
constexpr std::chrono::milliseconds kStopPoll(250);

const std::wstring& serviceName() {
    static const std::wstring name(kServiceName.begin(), kServiceName.end());
    return name;
}

std::string utf8(std::wstring_view wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::string systemErrorText(DWORD code) {
    std::array<wchar_t, 512> text{};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text.data(), static_cast<DWORD>(text.size()), nullptr);
    std::wstring_view message(text.data(), length);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
        message.remove_suffix(1);
    }
    return message.empty() ? "Fehler " + std::to_string(code) : utf8(message);
}

int refused(std::ostream& err, std::string_view sentence, std::string_view text) {
    err << fill(sentence, text) << '\n';
    return 1;
}

int failed(std::ostream& err, std::string_view sentence, std::string_view command) {
    const DWORD code = GetLastError();
    if (code == ERROR_ACCESS_DENIED) {
        return refused(err, cm::kNeedsAdministrator, command);
    }
    return refused(err, sentence, systemErrorText(code));
}

std::filesystem::path executablePath() {
    std::wstring path(32'768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path;
}

// Restart after every failure, including an exit with a fault code (a
// service that found nothing to serve), not only after a crash.
bool restartOnFailure(SC_HANDLE service) {
    std::array<SC_ACTION, 3> actions{{{SC_ACTION_RESTART, kRestartDelayMs},
                                      {SC_ACTION_RESTART, kRestartDelayMs},
                                      {SC_ACTION_RESTART, kRestartDelayMs}}};
    SERVICE_FAILURE_ACTIONSW failure{};
    failure.dwResetPeriod = kFailureCountResetSeconds;
    failure.cActions = static_cast<DWORD>(actions.size());
    failure.lpsaActions = actions.data();
    if (ChangeServiceConfig2W(service, SERVICE_CONFIG_FAILURE_ACTIONS, &failure) == 0) {
        return false;
    }
    // A manager that does not know the flag (Wine's) still restarts after a
    // crash.
    SERVICE_FAILURE_ACTIONS_FLAG onFaultCodes{TRUE};
    return ChangeServiceConfig2W(service, SERVICE_CONFIG_FAILURE_ACTIONS_FLAG, &onFaultCodes) !=
               0 ||
           GetLastError() == ERROR_INVALID_LEVEL;
}

bool describe(SC_HANDLE service) {
    std::wstring text = L"Überträgt CNC-Programme zwischen diesem PC und allen Maschinen aus "
                        L"drovane-dnc.ini.";
    SERVICE_DESCRIPTIONW description{text.data()};
    return ChangeServiceConfig2W(service, SERVICE_CONFIG_DESCRIPTION, &description) != 0;
}

bool stopped(SC_HANDLE service) {
    SERVICE_STATUS status{};
    return QueryServiceStatus(service, &status) != 0 && status.dwCurrentState == SERVICE_STOPPED;
}

// A running service is stopped first, so that its ports and files are let
// go before the entry is gone.
void stopIfRunning(SC_HANDLE service, std::ostream& out) {
    SERVICE_STATUS status{};
    if (ControlService(service, SERVICE_CONTROL_STOP, &status) == 0 &&
        GetLastError() != ERROR_SERVICE_CANNOT_ACCEPT_CTRL) {
        return;
    }
    out << fill(cm::kStopping, kServiceName) << '\n';
    const auto limit = std::chrono::steady_clock::now() + kStopLimit;
    while (!stopped(service) && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(kStopPoll);
    }
}

} // namespace

int installService(const DncArguments& arguments, std::ostream& out, std::ostream& err) {
    const ServiceManagerHandle manager(
        OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT | SC_MANAGER_CREATE_SERVICE));
    if (!manager) {
        return failed(err, cm::kInstallFailed, "install");
    }
    const std::filesystem::path executable = executablePath();
    const std::wstring commandLine = serviceCommandLine(executable, arguments);
    const ServiceManagerHandle service(
        CreateServiceW(manager.get(), serviceName().c_str(), L"Drovane DNC-Dienst",
                       SERVICE_CHANGE_CONFIG | SERVICE_START | DELETE, SERVICE_WIN32_OWN_PROCESS,
                       SERVICE_AUTO_START, SERVICE_ERROR_NORMAL, commandLine.c_str(), nullptr,
                       nullptr, nullptr, nullptr, nullptr));
    if (!service) {
        if (GetLastError() == ERROR_SERVICE_EXISTS) {
            return refused(err, cm::kAlreadyInstalled, kServiceName);
        }
        return failed(err, cm::kInstallFailed, "install");
    }
    if (!describe(service.get()) || !restartOnFailure(service.get())) {
        const int code = failed(err, cm::kInstallFailed, "install");
        DeleteService(service.get());
        return code;
    }
    out << fill(cm::kInstalled, kServiceName) << '\n';
    if (!arguments.settingsFile && !arguments.serviceFile) {
        out << fill(cm::kFilesBeside, utf8(executable.parent_path().native())) << '\n';
    }
    out << fill(cm::kStartHint, kServiceName) << '\n';
    return 0;
}

int uninstallService(std::ostream& out, std::ostream& err) {
    const ServiceManagerHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        return failed(err, cm::kUninstallFailed, "uninstall");
    }
    const ServiceManagerHandle service(OpenServiceW(manager.get(), serviceName().c_str(),
                                                    SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE));
    if (!service) {
        if (GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST) {
            return refused(err, cm::kNotInstalled, kServiceName);
        }
        return failed(err, cm::kUninstallFailed, "uninstall");
    }
    stopIfRunning(service.get(), out);
    if (DeleteService(service.get()) == 0) {
        return failed(err, cm::kUninstallFailed, "uninstall");
    }
    out << fill(cm::kUninstalled, kServiceName) << '\n';
    return 0;
}

} // namespace drovane
