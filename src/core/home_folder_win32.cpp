#include "core/home_folder.h"

#include <string>
#include <windows.h>

namespace drovane {

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
