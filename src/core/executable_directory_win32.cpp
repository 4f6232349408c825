#include "core/executable_directory.h"

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

} // namespace drovane
