#pragma once

// A fresh folder per atomic-replacement test, and a write that fails halfway.

#include "core/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>

namespace drovane::testing {

inline std::string contentOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("atomic_file_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::size_t entriesInFolder() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                      std::filesystem::directory_iterator()));
    }

    std::filesystem::path folder;
};

// Writes half of what it is asked, then reports a full disk.
inline std::ptrdiff_t halfThenDiskFull(OpenFile& file, std::string_view bytes) {
    static bool wroteHalf = false;
    wroteHalf = !wroteHalf;
    if (wroteHalf && bytes.size() > 1) {
        return writeToFile(file, bytes.substr(0, bytes.size() / 2));
    }
    return -1;
}

inline bool folderTakesNoFile(const std::filesystem::path& /*target*/, OpenFile& /*file*/,
                              std::filesystem::path& /*temporary*/) {
    return false;
}

} // namespace drovane::testing
