#include "serial/open_failure.h"

#include <algorithm>
#include <cerrno>

namespace drovane {

std::string_view openFailureLine(OpenFailure reason) {
    const auto* found =
        std::find_if(kOpenFailureLines.begin(), kOpenFailureLines.end(),
                     [reason](const OpenFailureLine& entry) { return entry.reason == reason; });
    return found != kOpenFailureLines.end() ? found->line : std::string_view();
}

OpenFailure openFailureFromErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV:
        return OpenFailure::NoSuchPort;
    case EACCES:
    case EPERM:
    case EROFS:
        return OpenFailure::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
        return OpenFailure::InUse;
    case EINVAL:
        return OpenFailure::SettingsRefused;
    case ENOTTY:
        return OpenFailure::NotSerial;
    default:
        return OpenFailure::DeviceFailed;
    }
}

} // namespace drovane
