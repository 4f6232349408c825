// On Linux systemd runs the service: the Windows words say so instead of
// touching anything.

#include "service/dnc_main.h"

#include <gtest/gtest.h>

#include <sstream>

namespace drovane {
namespace {

TEST(ServiceControlPosix, TheServiceManagerWordsAreRefusedAsWindowsOnly) {
    for (const char* word : {"install", "uninstall", "service"}) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(dncMain({word}, out, err), 1) << word;
        EXPECT_EQ(err.str().find(std::string(word) + " gibt es nur unter Windows"), 0U)
            << err.str();
        EXPECT_TRUE(out.str().empty());
    }
}

} // namespace
} // namespace drovane
