#pragma once

// Tells when the folder the file list shows changes on disk. The system's
// change notification is awaited on a thread of its own, and `changed` runs
// there: it should only hand the news to the GUI thread.

#include "core/unique_handle_win32.h"

#include <filesystem>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

namespace drovane {

class DirectoryWatch {
public:
    explicit DirectoryWatch(std::function<void()> changed);
    ~DirectoryWatch();
    DirectoryWatch(const DirectoryWatch&) = delete;
    DirectoryWatch& operator=(const DirectoryWatch&) = delete;
    DirectoryWatch(DirectoryWatch&&) = delete;
    DirectoryWatch& operator=(DirectoryWatch&&) = delete;

    // An empty path watches nothing (the list of drives). Watching the same
    // folder again changes nothing, so no change in between is missed.
    void watch(const std::filesystem::path& folder);

private:
    void run(const std::stop_token& stop);
    std::filesystem::path wantedFolder();

    std::function<void()> changed_;
    UniqueHandle wake_; // a new folder, or the end
    std::mutex mutex_;
    std::filesystem::path folder_;
    std::jthread thread_;
};

} // namespace drovane
