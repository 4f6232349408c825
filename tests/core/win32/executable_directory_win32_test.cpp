#include "core/executable_directory.h"

#include <gtest/gtest.h>

#include <cwctype>

using drovane::executableDirectory;

// The settings file lies beside the program, wherever it was started from.
TEST(ExecutableDirectory, IsTheFolderHoldingThisProgram) {
    const auto folder = executableDirectory();
    EXPECT_TRUE(std::filesystem::exists(folder / "core_tests.exe"));
    const std::wstring text = folder.native();
    ASSERT_GE(text.size(), 3u);
    EXPECT_NE(std::iswalpha(text[0]), 0);
    EXPECT_EQ(text.substr(1, 2), L":\\");
}
