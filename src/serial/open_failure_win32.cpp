#include "serial/open_failure.h"

#include <algorithm>
#include <array>
#include <windows.h>

namespace drovane {

namespace {

struct WindowsErrorReason {
    DWORD error;
    OpenFailure reason;
};

constexpr std::array<WindowsErrorReason, 8> kWindowsErrorReasons{{
    {ERROR_FILE_NOT_FOUND, OpenFailure::NoSuchPort},
    {ERROR_PATH_NOT_FOUND, OpenFailure::NoSuchPort},
    {ERROR_INVALID_NAME, OpenFailure::NoSuchPort},
    {ERROR_BAD_UNIT, OpenFailure::NoSuchPort},
    // A COM port is opened without sharing: denied access means that
    // another handle has it.
    {ERROR_ACCESS_DENIED, OpenFailure::InUse},
    {ERROR_SHARING_VIOLATION, OpenFailure::InUse},
    {ERROR_BUSY, OpenFailure::InUse},
    {ERROR_INVALID_PARAMETER, OpenFailure::SettingsRefused},
}};

} // namespace

OpenFailure openFailureFromWindowsError(std::uint32_t error) {
    const auto* found =
        std::find_if(kWindowsErrorReasons.begin(), kWindowsErrorReasons.end(),
                     [error](const WindowsErrorReason& entry) { return entry.error == error; });
    return found != kWindowsErrorReasons.end() ? found->reason : OpenFailure::DeviceFailed;
}

} // namespace drovane
