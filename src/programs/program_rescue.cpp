#include "programs/program_rescue.h"

#include "core/home_folder.h"
#include "core/new_file.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <system_error>

namespace drovane {
namespace {

namespace fs = std::filesystem;

// Names taken by other programs or earlier runs are skipped this many times
// before the folder counts as refusing.
constexpr int AttemptsPerFolder = 1000;

// Process ids repeat (under Wine almost always): the time and a counter that
// only grows make the name, the exclusive create keeps it unique.
std::atomic<unsigned long long> rescueCounter{0};

std::string rescueName() {
    using namespace std::chrono;
    const auto now = floor<seconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss time{now - day};
    std::array<char, 64> name{};
    std::snprintf(name.data(), name.size(), "drovane-%04d%02u%02u-%02d%02d%02d-%llu.nc",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()), ++rescueCounter);
    return name.data();
}

void addFolder(std::vector<fs::path>& folders, const fs::path& folder) {
    if (folder.empty()) {
        return;
    }
    std::error_code error;
    fs::path absolute = fs::absolute(folder, error);
    if (!error && std::ranges::find(folders, absolute) == folders.end()) {
        folders.push_back(std::move(absolute));
    }
}

fs::path folderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

} // namespace

std::vector<fs::path> rescueFolders(const fs::path& target, const fs::path& settingsFile) {
    std::vector<fs::path> folders;
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    if (!error) {
        addFolder(folders, temporary);
    }
    addFolder(folders, folderOf(target));
    addFolder(folders, folderOf(settingsFile));
    addFolder(folders, homeFolder());
    return folders;
}

std::optional<fs::path> rescueProgram(std::string_view text, const std::vector<fs::path>& folders) {
    for (const fs::path& folder : folders) {
        for (int attempt = 0; attempt < AttemptsPerFolder; ++attempt) {
            fs::path candidate = folder / rescueName();
            const NewFileResult result = writeNewFile(candidate, text);
            if (result == NewFileResult::Written) {
                return candidate;
            }
            if (result == NewFileResult::Failed) {
                break;
            }
        }
    }
    return std::nullopt;
}

} // namespace drovane
