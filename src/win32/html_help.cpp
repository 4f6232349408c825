#include "win32/html_help.h"

namespace drovane {
namespace {

constexpr UINT DisplayTopic = 0x0000; // HH_DISPLAY_TOPIC
constexpr UINT CloseAll = 0x0012;     // HH_CLOSE_ALL

} // namespace

HtmlHelp::~HtmlHelp() {
    if (entry_ != nullptr) {
        entry_(nullptr, nullptr, CloseAll, 0);
    }
    if (library_ != nullptr) {
        FreeLibrary(library_);
    }
}

bool HtmlHelp::load() {
    if (entry_ != nullptr) {
        return true;
    }
    if (library_ == nullptr) {
        library_ = LoadLibraryW(L"hhctrl.ocx");
    }
    if (library_ != nullptr) {
        entry_ = reinterpret_cast<Entry>(
            reinterpret_cast<void (*)()>(GetProcAddress(library_, "HtmlHelpA")));
    }
    return entry_ != nullptr;
}

bool HtmlHelp::showDefaultTopic(HWND owner, const char* file) {
    return load() && entry_(owner, file, DisplayTopic, 0) != nullptr;
}

} // namespace drovane
