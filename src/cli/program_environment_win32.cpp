#include "cli/program_environment.h"
#include "core/text.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <memory>
#include <windows.h>

#include <shellapi.h>

namespace drovane {
namespace {

struct LocalFreer {
    void operator()(LPWSTR* block) const { ::LocalFree(block); }
};

// Long paths need more than MAX_PATH; the call cuts silently when short.
constexpr DWORD kLongestPath = 32768;

} // namespace

std::vector<std::string> commandLineWords(int /*argc*/, char** /*argv*/) {
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreer> words(
        ::CommandLineToArgvW(::GetCommandLineW(), &count));
    std::vector<std::string> result;
    for (int i = 1; words && i < count; ++i) {
        result.push_back(utf8FromWindows1252(windows1252FromWide(words.get()[i])));
    }
    return result;
}

std::filesystem::path executableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return ".";
        }
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path).parent_path();
        }
        if (path.size() >= kLongestPath) {
            return ".";
        }
        path.resize(path.size() * 2);
    }
}

// The progress line redraws itself with VT sequences, which a console
// before Windows 10 would print as they stand: no progress line there.
bool standardErrorIsTerminal() {
    const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    return ::GetConsoleMode(error, &mode) != 0 &&
           ::SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

void keepStandardStreamsBinary() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace drovane
