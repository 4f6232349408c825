#include "win32/start_parameter.h"

#include "core/text.h"

#include <memory>
#include <windows.h>

#include <shellapi.h>

namespace drovane {
namespace {

struct LocalFreer {
    void operator()(LPWSTR* block) const { ::LocalFree(block); }
};

} // namespace

std::string startParameterOf(const wchar_t* commandLine) {
    // An empty text would give the path of this program as its only word.
    if (commandLine == nullptr || *commandLine == L'\0') {
        return {};
    }
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreer> words(::CommandLineToArgvW(commandLine, &count));
    if (!words || count < 2) {
        return {};
    }
    return windows1252FromWide(words.get()[1]);
}

} // namespace drovane
