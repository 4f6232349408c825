#include "win32/text_input_dialog.h"

#include "win32/edit_text.h"
#include "win32/message_params.h"

#include <array>
#include <vector>

namespace drovane {
namespace {

constexpr int PromptId = 100;
constexpr int AnswerId = 101;
constexpr WORD ButtonClass = 0x0080;
constexpr WORD EditClass = 0x0081;
constexpr WORD StaticClass = 0x0082;

struct ItemLayout {
    DWORD style;
    short x;
    short y;
    short width;
    short height;
    WORD id;
    WORD windowClass;
    const wchar_t* text;
};

// Dialog units; the texts that vary are set when the dialog opens.
constexpr std::array<ItemLayout, 4> items{{
    {SS_LEFT | SS_NOPREFIX, 7, 7, 220, 20, PromptId, StaticClass, L""},
    {ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 30, 220, 14, AnswerId, EditClass, L""},
    {BS_DEFPUSHBUTTON | WS_TABSTOP, 116, 52, 50, 14, IDOK, ButtonClass, L"OK"},
    {BS_PUSHBUTTON | WS_TABSTOP, 170, 52, 57, 14, IDCANCEL, ButtonClass, L"Abbrechen"},
}};

class TemplateWriter {
public:
    void word(WORD value) { words_.push_back(value); }
    void dword(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void text(const wchar_t* value) {
        for (; *value != L'\0'; ++value) {
            word(static_cast<WORD>(*value));
        }
        word(0);
    }
    // Every item starts on a DWORD boundary.
    void align() {
        if (words_.size() % 2 != 0) {
            word(0);
        }
    }
    const std::vector<WORD>& words() const { return words_; }

private:
    std::vector<WORD> words_;
};

std::vector<WORD> dialogTemplate() {
    TemplateWriter out;
    out.dword(DS_MODALFRAME | DS_CENTER | DS_SHELLFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    out.dword(0);
    out.word(static_cast<WORD>(items.size()));
    for (const short value : {0, 0, 234, 73}) {
        out.word(static_cast<WORD>(value));
    }
    out.word(0);   // no menu
    out.word(0);   // the standard dialog class
    out.text(L""); // title, set on opening
    out.word(8);   // point size of the dialog font
    out.text(L"MS Shell Dlg");
    for (const ItemLayout& item : items) {
        out.align();
        out.dword(item.style | WS_CHILD | WS_VISIBLE);
        out.dword(0);
        for (const short value : {item.x, item.y, item.width, item.height}) {
            out.word(static_cast<WORD>(value));
        }
        out.word(item.id);
        out.word(0xFFFF);
        out.word(item.windowClass);
        out.text(item.text);
        out.word(0); // no creation data
    }
    return out.words();
}

struct Exchange {
    const std::wstring& title;
    const std::wstring& prompt;
    const std::wstring& initial;
    std::wstring answer;
};

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* exchange = fromInteger<const Exchange*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetWindowTextW(dialog, exchange->title.c_str());
        SetDlgItemTextW(dialog, PromptId, exchange->prompt.c_str());
        SetDlgItemTextW(dialog, AnswerId, exchange->initial.c_str());
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK) {
            auto* exchange = fromInteger<Exchange*>(GetWindowLongPtrW(dialog, DWLP_USER));
            exchange->answer = editText(GetDlgItem(dialog, AnswerId));
        }
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

std::optional<std::wstring> askTextInDialog(HWND owner, const std::wstring& title,
                                            const std::wstring& prompt,
                                            const std::wstring& initial) {
    const std::vector<WORD> layout = dialogTemplate();
    Exchange exchange{title, prompt, initial, {}};
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()), owner,
        dialogProc, reinterpret_cast<LPARAM>(&exchange));
    if (result != IDOK) {
        return std::nullopt;
    }
    return exchange.answer;
}

} // namespace drovane
