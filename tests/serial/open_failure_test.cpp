#include "serial/open_failure.h"

#include <gtest/gtest.h>

#include <algorithm>
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

} // namespace
} // namespace drovane
