#include "win32/hand_over_path.h"

#include "core/text.h"

#include <filesystem>
#include <system_error>

namespace drovane {

std::string handOverPath(std::string_view parameter) {
    if (parameter.empty()) {
        return {};
    }
    const std::filesystem::path given(wideFromWindows1252(parameter));
    std::error_code failed;
    const std::filesystem::path whole = std::filesystem::absolute(given, failed);
    return failed ? std::string(parameter) : windows1252FromWide(whole.wstring());
}

} // namespace drovane
