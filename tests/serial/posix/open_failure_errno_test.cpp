// Linux only: errno names the cause there; Windows has its own table.
#include "serial/open_failure.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <vector>

namespace drovane {
namespace {

// Root passes permission bits, so a denied open is only seen through errno.
TEST(OpenFailure, ErrnoOfAFailedOpenNamesTheCause) {
    const std::vector<std::pair<int, OpenFailure>> cases = {
        {ENOENT, OpenFailure::NoSuchPort},
        {ENOTDIR, OpenFailure::NoSuchPort},
        {ENXIO, OpenFailure::NoSuchPort},
        {ENODEV, OpenFailure::NoSuchPort},
        {EACCES, OpenFailure::PermissionDenied},
        {EPERM, OpenFailure::PermissionDenied},
        {EBUSY, OpenFailure::InUse},
        {EWOULDBLOCK, OpenFailure::InUse},
        {EINVAL, OpenFailure::SettingsRefused},
        {ENOTTY, OpenFailure::NotSerial},
        {EIO, OpenFailure::DeviceFailed},
    };
    for (const auto& [error, reason] : cases) {
        EXPECT_EQ(openFailureFromErrno(error), reason) << error;
    }
}

} // namespace
} // namespace drovane
