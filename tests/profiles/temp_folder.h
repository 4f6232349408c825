#pragma once

// A fresh folder per test, removed afterwards, with byte-exact file helpers.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>

namespace drovane::fixtures {

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("drovane_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" +
                  info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        ini = folder / "drovane.ini";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    static void put(const std::filesystem::path& path, std::string_view bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string get(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::size_t entriesInFolder() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                      std::filesystem::directory_iterator()));
    }

    std::filesystem::path folder;
    std::filesystem::path ini;
};

} // namespace drovane::fixtures
