#include "core/open_file_win32.h"

#include <algorithm>
#include <random>
#include <string>

namespace drovane {

std::ptrdiff_t writeToFile(OpenFile& file, std::string_view bytes) {
    constexpr std::size_t largestWrite = std::size_t{1} << 30U; // WriteFile counts in a DWORD
    DWORD written = 0;
    if (::WriteFile(file.handle.get(), bytes.data(),
                    static_cast<DWORD>(std::min(bytes.size(), largestWrite)), &written,
                    nullptr) == 0) {
        return -1;
    }
    return static_cast<std::ptrdiff_t>(written);
}

// Shared with nobody while it is written: no reader ever sees it half done.
bool createTemporaryFile(const std::filesystem::path& target, OpenFile& file,
                         std::filesystem::path& temporary) {
    static constexpr std::wstring_view letters =
        L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::size_t suffix = TemporarySuffixLength - 1;
    thread_local std::minstd_rand random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    std::wstring name = target.native() + L"." + std::wstring(suffix, L'X');
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = name.size() - suffix; i < name.size(); ++i) {
            name[i] = letters[pick(random)];
        }
        file.handle.reset(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.handle.valid()) {
            temporary = name;
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    return false;
}

} // namespace drovane
