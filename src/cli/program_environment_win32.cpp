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

// Longer than any line the program writes.
constexpr std::size_t kStreamBuffer = 4096;

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

bool standardErrorIsTerminal() {
    const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    return ::GetConsoleMode(error, &mode) != 0 &&
           ::SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

unsigned Utf8Console::switchConsoleToUtf8() {
    // Without a console the call gives 0.
    const UINT codePage = ::GetConsoleOutputCP();
    if (codePage == 0 || codePage == CP_UTF8 || ::SetConsoleOutputCP(CP_UTF8) == 0) {
        return 0;
    }
    return codePage;
}

void Utf8Console::restoreConsoleCodePage(unsigned codePage) {
    if (codePage != 0) {
        ::SetConsoleOutputCP(codePage);
    }
}

// The C library writes an unbuffered stream byte by byte, and a console
// shows each byte of a UTF-8 character alone as garbage: buffered, a line
// goes out whole at its flush.
void keepStandardStreamsBinary() {
    for (std::FILE* stream : {stdout, stderr}) {
        _setmode(_fileno(stream), _O_BINARY);
        std::setvbuf(stream, nullptr, _IOFBF, kStreamBuffer);
    }
}

} // namespace drovane
