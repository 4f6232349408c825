#include "core/read_regular_file.h"

#include "core/device_name_win32.h"
#include "core/unique_handle_win32.h"

#include <array>

namespace drovane {
namespace {

bool isRegularFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileType(file) == FILE_TYPE_DISK &&
           ::GetFileInformationByHandle(file, &info) != 0 &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool readToEnd(HANDLE file, std::string& bytes) {
    std::array<char, 65536> buffer{};
    for (;;) {
        DWORD got = 0;
        if (::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) ==
            0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(buffer.data(), got);
    }
}

} // namespace

// A device name is refused by its name alone, before any open; what opens is
// checked again on the handle. Others may read and write the file meanwhile.
std::optional<std::string> readRegularFile(const std::filesystem::path& path) {
    if (isDeviceName(path.native())) {
        return std::nullopt;
    }
    const UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !isRegularFile(file.get())) {
        return std::nullopt;
    }
    std::string bytes;
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.get(), &size) != 0) {
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    if (!readToEnd(file.get(), bytes)) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace drovane
