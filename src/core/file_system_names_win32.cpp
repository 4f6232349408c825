#include "core/file_system_names.h"

#include "core/atomic_file.h"
#include "core/device_name_win32.h"

#include <windows.h>

namespace drovane {
namespace {

// Windows counts UTF-16 units: 255 for a component, MAX_PATH with its NUL
// for a whole path of a program that did not declare long paths.
constexpr std::size_t LongestName = 255;

std::wstring_view lastComponent(std::wstring_view path) {
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring_view::npos ? path : path.substr(separator + 1);
}

std::size_t fullLength(const std::filesystem::path& target) {
    if (target.is_absolute()) {
        return target.native().size();
    }
    std::error_code error;
    return std::filesystem::absolute(target, error).native().size();
}

} // namespace

bool fileSystemTakesName(const std::filesystem::path& target) {
    const std::wstring_view name = lastComponent(target.native());
    if (name.empty() || name.find(L'"') != std::wstring_view::npos || name.back() == L'.' ||
        name.back() == L' ' || isDeviceName(target.native())) {
        return false;
    }
    return name.size() + TemporarySuffixLength <= LongestName &&
           fullLength(target) + TemporarySuffixLength < MAX_PATH;
}

} // namespace drovane
