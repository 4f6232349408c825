// Linux only: the home folder stands in for drive c:.

#include "profiles/profile_keys.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace drovane;

TEST(ProfileKeys, TheDefaultNcFolderIsHomeWithOneTrailingSlash) {
    const char* saved = std::getenv("HOME");
    const std::string restore = saved != nullptr ? saved : "";
    ::setenv("HOME", "/home/operator", 1);
    EXPECT_EQ(defaultNcDirectory(), "/home/operator/");
    ::setenv("HOME", "/home/operator/", 1);
    EXPECT_EQ(defaultNcDirectory(), "/home/operator/");
    ::unsetenv("HOME");
    const std::string fromPasswd = defaultNcDirectory();
    EXPECT_TRUE(fromPasswd.starts_with("/") && fromPasswd.ends_with("/")) << fromPasswd;
    if (saved != nullptr) {
        ::setenv("HOME", restore.c_str(), 1);
    }
}
