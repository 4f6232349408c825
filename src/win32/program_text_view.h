#pragma once

// The program editor: a read-only text control with both scroll bars that
// paints only the lines in view from the program's bytes, so a program of any
// size shows at once and grows without stalling the window. It answers WM_SETTEXT, WM_GETTEXT,
// WM_GETTEXTLENGTH, WM_SETFONT, WM_GETFONT and WM_COPY like the system's
// controls; the mouse marks text, Ctrl+A marks all, Ctrl+C copies. Its
// context menu offers a send from the line under the mouse, which it asks of
// its parent with a WM_COMMAND of SendFromLineCommand (lParam: the line, from 1).

#include "win32/wheel_steps.h"
#include "window/program_lines.h"
#include "window/text_selection.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace drovane {

inline constexpr const wchar_t* ProgramTextViewClass = L"DrovaneProgramText";
inline constexpr WORD SendFromLineCommand = 0x7A01;

class ProgramTextView {
public:
    // Left of the first column, in pixels.
    static constexpr int Margin = 2;

    explicit ProgramTextView(HWND window) : window_(window) {}

    static bool registerClass(HINSTANCE instance);
    // The view behind a control of this class; null for any other window.
    static ProgramTextView* of(HWND control);

    // Windows-1252 bytes with any line ends; what is in view stays in view.
    void append(std::string_view bytes);
    // Kept for indexMore(), which shows their lines; true while some are left.
    void appendBytes(std::string_view bytes) { lines_.append(bytes); }
    // Shows these bytes, shared with their holder, once indexMore() finds their lines.
    void showBytes(SharedText text);
    bool indexMore(std::size_t bytes);
    // Indexes slices of this size while goOn() says so, then updates the
    // scroll bars once: under Wine each update costs milliseconds.
    bool indexSlices(std::size_t sliceBytes, const std::function<bool()>& goOn);
    void clear();
    void scrollToStart();
    void clearSelection();
    // Keeps this line (from 0) in sight and marks it; none marks nothing.
    void followLine(std::optional<std::size_t> line);
    const ProgramLines& lines() const { return lines_; }
    std::size_t firstVisibleLine() const { return top_; }
    int lineHeight() const { return lineHeight_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void paintLine(HDC dc, std::size_t index, int y) const;
    void paintSelection(HDC dc, std::size_t index, std::wstring_view line, int y) const;
    int textLeft() const;
    TextPosition positionAt(POINT point) const;
    void pressButton(WPARAM keys, POINT point);
    void dragTo(POINT point);
    void selectLineAt(POINT point);
    void selectAll();
    void copySelection() const;
    bool commandKey(WPARAM key);
    bool scrollKey(WPARAM key);
    void showContextMenu(POINT screen);
    void setFont(HFONT font);
    void updateScrollBars();
    void scrollTo(std::ptrdiff_t top, std::ptrdiff_t left);
    std::ptrdiff_t scrollPosition(int bar, WORD request, std::ptrdiff_t now, int page) const;
    int visibleLines() const;
    int visibleColumns() const;
    LRESULT copyText(std::size_t room, wchar_t* buffer) const;

    HWND window_;
    HFONT font_ = nullptr;
    int lineHeight_ = 16;
    int charWidth_ = 8;
    ProgramLines lines_;
    std::size_t top_ = 0;
    std::size_t left_ = 0; // in average character widths
    TextSelection selection_;
    bool selecting_ = false;
    WheelSteps wheel_;
    std::optional<std::size_t> followed_;
};

} // namespace drovane
