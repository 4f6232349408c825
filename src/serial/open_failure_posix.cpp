#include "serial/open_failure.h"

#include <cerrno>

namespace drovane {

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
