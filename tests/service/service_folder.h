#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace drovane::testing {

// 2026-12-09 14:03:22 UTC
inline std::chrono::system_clock::time_point sampleTime() {
    using namespace std::chrono;
    return sys_days(year(2026) / 12 / 9) + hours(14) + minutes(3) + seconds(22);
}

// A fresh folder per test, removed afterwards.
class ServiceFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("service_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" +
                  info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    static void put(const std::filesystem::path& path, const std::string& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string contentOf(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path folder;
};

} // namespace drovane::testing
