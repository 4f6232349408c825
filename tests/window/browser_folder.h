#pragma once

// A fresh folder per test, removed afterwards, that the file-list tests fill
// with files of given sizes. Its texts are what the file list shows: UTF-8,
// absolute, ending in the platform's separator.

#include "window/utf8_path.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace drovane::fixtures {

class BrowserFolder : public ::testing::Test {
protected:
    static constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_folder = std::filesystem::temp_directory_path() /
                   (std::string("drovane_browser_") + info->name() + "_" + std::to_string(stamp));
        std::filesystem::create_directories(m_folder);
        m_folder = std::filesystem::canonical(m_folder);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::string path() const { return utf8FromPath(m_folder) + separator; }
    std::filesystem::path at(std::string_view utf8) const { return m_folder / pathFromUtf8(utf8); }

    void file(std::string_view utf8, std::size_t size) const {
        std::ofstream out(at(utf8), std::ios::binary | std::ios::trunc);
        out << std::string(size, 'x');
        ASSERT_TRUE(out.good()) << utf8;
    }
    void folder(std::string_view utf8) const {
        ASSERT_TRUE(std::filesystem::create_directories(at(utf8))) << utf8;
    }

private:
    std::filesystem::path m_folder;
};

} // namespace drovane::fixtures
