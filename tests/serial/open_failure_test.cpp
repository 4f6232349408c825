#include "serial/open_failure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

namespace drovane {
namespace {

TEST(OpenFailure, EveryCauseHasItsOwnLineAndSuccessNone) {
    EXPECT_TRUE(openFailureLine(OpenFailure::None).empty());
    std::vector<std::string_view> seen;
    for (const auto reason :
         {OpenFailure::NoSuchPort, OpenFailure::NotSerial, OpenFailure::InUse,
          OpenFailure::PermissionDenied, OpenFailure::SettingsRefused, OpenFailure::DeviceFailed}) {
        const std::string_view line = openFailureLine(reason);
        EXPECT_TRUE(line.starts_with("Ursache: ")) << static_cast<int>(reason);
        EXPECT_EQ(std::find(seen.begin(), seen.end(), line), seen.end()) << line;
        seen.push_back(line);
    }
}

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
