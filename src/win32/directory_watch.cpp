#include "win32/directory_watch.h"

#include <array>
#include <memory>
#include <utility>

namespace drovane {
namespace {

// Change notifications close with their own call, not CloseHandle.
struct NotificationCloser {
    void operator()(HANDLE handle) const { ::FindCloseChangeNotification(handle); }
};
using ChangeNotification = std::unique_ptr<void, NotificationCloser>;

// What the list shows: names, sizes and dates of the folder's own entries.
constexpr DWORD watchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                 FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

ChangeNotification notificationFor(const std::filesystem::path& folder) {
    if (folder.empty()) {
        return nullptr;
    }
    HANDLE handle = ::FindFirstChangeNotificationW(folder.c_str(), FALSE, watchedChanges);
    return ChangeNotification(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

} // namespace

DirectoryWatch::DirectoryWatch(std::function<void()> changed)
    : changed_(std::move(changed)), wake_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      thread_([this](const std::stop_token& stop) { run(stop); }) {}

DirectoryWatch::~DirectoryWatch() {
    thread_.request_stop();
    ::SetEvent(wake_.get());
}

void DirectoryWatch::watch(const std::filesystem::path& folder) {
    {
        const std::lock_guard lock(mutex_);
        if (folder == folder_) {
            return;
        }
        folder_ = folder;
    }
    ::SetEvent(wake_.get());
}

std::filesystem::path DirectoryWatch::wantedFolder() {
    const std::lock_guard lock(mutex_);
    return folder_;
}

// One notification per folder; a folder that is gone is waited out until
// the next one is named.
void DirectoryWatch::run(const std::stop_token& stop) {
    if (!wake_.valid()) {
        return;
    }
    while (!stop.stop_requested()) {
        ChangeNotification notification = notificationFor(wantedFolder());
        for (;;) {
            const std::array<HANDLE, 2> handles{wake_.get(), notification.get()};
            const DWORD count = notification ? 2 : 1;
            if (::WaitForMultipleObjects(count, handles.data(), FALSE, INFINITE) !=
                WAIT_OBJECT_0 + 1) {
                break;
            }
            changed_();
            if (::FindNextChangeNotification(notification.get()) == FALSE) {
                notification.reset();
            }
        }
    }
}

} // namespace drovane
