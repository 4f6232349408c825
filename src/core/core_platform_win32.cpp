// Paths by platform: their text, where the program lives and the user's home.

#include "core/executable_directory.h"
#include "core/home_folder.h"
#include "core/path_text.h"

#include "core/text.h"

#include <string>
#include <windows.h>

namespace drovane {

// The buffer grows until the name fits: a full buffer may hold a cut name.
std::filesystem::path executableDirectory() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

std::filesystem::path pathFromWindows1252(std::string_view bytes) {
    return {wideFromWindows1252(bytes)};
}

std::string windows1252FromPath(const std::filesystem::path& path) {
    return windows1252FromWide(path.native());
}

std::filesystem::path pathFromText(std::string_view text) {
    return pathFromWindows1252(text);
}

std::string textFromPath(const std::filesystem::path& path) {
    return windows1252FromPath(path);
}

std::filesystem::path homeFolder() {
    std::wstring folder(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetEnvironmentVariableW(L"USERPROFILE", folder.data(),
                                                       static_cast<DWORD>(folder.size()));
        if (length == 0) {
            return {};
        }
        if (length < folder.size()) {
            folder.resize(length);
            return folder;
        }
        folder.resize(length);
    }
}

} // namespace drovane
