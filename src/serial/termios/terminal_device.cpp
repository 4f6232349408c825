#include "serial/termios/terminal_device.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/major.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace drovane {

UniqueFd openTerminal(const std::string& path, OpenFailure& failure) {
    const UniqueFd probe(::open(path.c_str(), O_PATH | O_CLOEXEC));
    struct stat before {};
    if (!probe.valid() || ::fstat(probe.get(), &before) != 0) {
        failure = openFailureFromErrno(errno);
        return {};
    }
    if (!S_ISCHR(before.st_mode)) {
        failure = OpenFailure::NotSerial;
        return {};
    }
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        failure = openFailureFromErrno(errno);
        return {};
    }
    struct stat after {};
    if (::fstat(fd.get(), &after) != 0 || !S_ISCHR(after.st_mode) ||
        after.st_rdev != before.st_rdev || ::isatty(fd.get()) != 1) {
        failure = OpenFailure::NotSerial;
        return {};
    }
    return fd;
}

void askForLowLatency(int fd) {
    serial_struct info{};
    if (::ioctl(fd, TIOCGSERIAL, &info) == 0 && (info.flags & ASYNC_LOW_LATENCY) == 0) {
        info.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &info);
    }
}

bool isPseudoTerminal(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISCHR(status.st_mode)) {
        return false;
    }
    const unsigned int deviceMajor = major(status.st_rdev);
    return deviceMajor == PTY_SLAVE_MAJOR ||
           (deviceMajor >= UNIX98_PTY_SLAVE_MAJOR &&
            deviceMajor < UNIX98_PTY_SLAVE_MAJOR + UNIX98_PTY_MAJOR_COUNT);
}

} // namespace drovane
