#include "win32/win32_dialogs.h"

#include "win32/text_input_dialog.h"
#include "win32/wide_text.h"

#include <windows.h>

#include <memory>
#include <shellapi.h>
#include <shlobj.h>

namespace drovane {
namespace {

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
using ItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

int CALLBACK startAtFolder(HWND chooser, UINT message, LPARAM /*lParam*/, LPARAM start) {
    if (message == BFFM_INITIALIZED) {
        SendMessageW(chooser, BFFM_SETSELECTIONW, TRUE, start);
    }
    return 0;
}

} // namespace

// The program's boxes carry no icon: the text alone tells what happened.
void Win32Dialogs::inform(std::string_view title, std::string_view text) {
    MessageBoxW(owner_, wideFromUtf8(text).c_str(), wideFromUtf8(title).c_str(), MB_OK);
}

bool Win32Dialogs::askYesNo(std::string_view title, std::string_view text) {
    return MessageBoxW(owner_, wideFromUtf8(text).c_str(), wideFromUtf8(title).c_str(), MB_YESNO) ==
           IDYES;
}

std::optional<std::string> Win32Dialogs::askText(std::string_view title, std::string_view prompt,
                                                 std::string_view initial) {
    const auto answer =
        askTextInDialog(owner_, wideFromUtf8(title), wideFromUtf8(prompt), wideFromUtf8(initial));
    if (!answer) {
        return std::nullopt;
    }
    return utf8FromWide(*answer);
}

std::string Win32Dialogs::chooseFolder(std::string_view prompt, std::string_view start) {
    const std::wstring title = wideFromUtf8(prompt);
    const std::wstring startFolder = wideFromUtf8(start);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner_;
    browse.lpszTitle = title.c_str();
    // With a box for typing a path.
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    browse.lpfn = startAtFolder;
    browse.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
    const ItemList chosen(SHBrowseForFolderW(&browse));
    std::wstring folder(MAX_PATH, L'\0');
    if (!chosen || SHGetPathFromIDListW(chosen.get(), folder.data()) == FALSE) {
        return {};
    }
    folder.resize(folder.find(L'\0'));
    if (folder.empty()) {
        return {};
    }
    if (folder.back() != L'\\') {
        folder += L'\\';
    }
    return utf8FromWide(folder);
}

// By its bare name, as the viewer looks for it: a program started from its
// folder finds the file beside it.
void Win32Dialogs::showHelp() {
    help_.showDefaultTopic(owner_, "drovane.chm");
}

} // namespace drovane
