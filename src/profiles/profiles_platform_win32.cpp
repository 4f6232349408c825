// Where the profiles' defaults and the settings file differ by platform.

#include "profiles/profile_keys.h"
#include "profiles/settings_storage.h"

#include "core/unique_handle_win32.h"

namespace drovane {

std::string defaultNcDirectory() {
    return "c:\\";
}

bool takesWrites(const std::filesystem::path& target) {
    const UniqueHandle file(::CreateFileW(target.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid() || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

} // namespace drovane
