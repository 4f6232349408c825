#include "wine_run.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace drovane::testing {
namespace {

namespace fs = std::filesystem;

fs::path comLink(const fs::path& prefix, int number) {
    return prefix / "dosdevices" / ("com" + std::to_string(number));
}

} // namespace

bool takeWineSetup(const std::vector<std::string>& arguments, WineSetup& setup) {
    for (const std::string& argument : arguments) {
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : argument.substr(equals + 1);
        if (name == "--wine") {
            setup.wine = value;
        } else if (name == "--prefix") {
            setup.prefix = fs::absolute(value);
        } else if (name == "--exe") {
            setup.executable = fs::absolute(value);
        } else {
            return false;
        }
    }
    return !setup.prefix.empty() && !setup.executable.empty();
}

std::string windowsPath(const fs::path& path) {
    std::string text = "Z:" + fs::absolute(path).string();
    std::ranges::replace(text, '/', '\\');
    return text;
}

fs::path linuxPath(const fs::path& prefix, const std::string& windows) {
    if (windows.size() < 2 || windows[1] != ':') {
        return {};
    }
    std::string rest = windows.substr(2);
    std::ranges::replace(rest, '\\', '/');
    const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(windows[0])));
    return prefix / "dosdevices" / (std::string(1, drive) + ":" + rest);
}

ComPortLink::ComPortLink(const fs::path& prefix, int number, const fs::path& target)
    : link_(comLink(prefix, number)) {
    removeComPort(prefix, number);
    std::error_code error;
    fs::create_symlink(target, link_, error);
    made_ = !error;
}

ComPortLink::~ComPortLink() {
    std::error_code error;
    fs::remove(link_, error);
}

void removeComPort(const fs::path& prefix, int number) {
    std::error_code error;
    fs::remove(comLink(prefix, number), error);
}

} // namespace drovane::testing
