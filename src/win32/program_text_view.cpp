#include "win32/program_text_view.h"

#include "win32/message_params.h"
#include <windowsx.h>

#include <algorithm>
#include <memory>

namespace drovane {
namespace {

constexpr int Margin = 2;
constexpr int WheelLines = 3;

std::ptrdiff_t signedSize(std::size_t value) {
    return static_cast<std::ptrdiff_t>(value);
}

} // namespace

bool ProgramTextView::registerClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32513)); // IDC_IBEAM
    windowClass.lpszClassName = ProgramTextViewClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

ProgramTextView* ProgramTextView::of(HWND control) {
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    if (std::wstring_view(className) != ProgramTextViewClass) {
        return nullptr;
    }
    return fromInteger<ProgramTextView*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

LRESULT CALLBACK ProgramTextView::windowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto view = std::make_unique<ProgramTextView>(window);
        view->setFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view.release()));
    }
    auto* view = fromInteger<ProgramTextView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        const std::unique_ptr<ProgramTextView> owned(view);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return view == nullptr ? DefWindowProcW(window, message, wParam, lParam)
                           : view->handle(message, wParam, lParam);
}

void ProgramTextView::append(std::wstring_view text) {
    const std::size_t linesBefore = lines_.count();
    lines_.append(text);
    updateScrollBars();
    // Only what is in view needs painting again.
    if (linesBefore - 1 < top_ + static_cast<std::size_t>(visibleLines())) {
        InvalidateRect(window_, nullptr, TRUE);
    }
}

void ProgramTextView::clear() {
    lines_.clear();
    top_ = 0;
    left_ = 0;
    updateScrollBars();
    InvalidateRect(window_, nullptr, TRUE);
}

void ProgramTextView::scrollToStart() {
    scrollTo(0, 0);
}

int ProgramTextView::visibleLines() const {
    RECT client{};
    GetClientRect(window_, &client);
    return std::max(1, static_cast<int>(client.bottom) / lineHeight_);
}

int ProgramTextView::visibleColumns() const {
    RECT client{};
    GetClientRect(window_, &client);
    return std::max(1, static_cast<int>(client.right) / charWidth_);
}

void ProgramTextView::setFont(HFONT font) {
    font_ = font;
    HDC dc = GetDC(window_);
    const HGDIOBJ previous = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc, &metrics) != 0) {
        lineHeight_ = std::max(1, static_cast<int>(metrics.tmHeight));
        charWidth_ = std::max(1, static_cast<int>(metrics.tmAveCharWidth));
    }
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
}

void ProgramTextView::updateScrollBars() {
    SCROLLINFO vertical{};
    vertical.cbSize = sizeof(vertical);
    vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    vertical.nMax = static_cast<int>(lines_.count()) - 1;
    vertical.nPage = static_cast<UINT>(visibleLines());
    vertical.nPos = static_cast<int>(top_);
    SetScrollInfo(window_, SB_VERT, &vertical, TRUE);
    SCROLLINFO horizontal = vertical;
    horizontal.nMax = static_cast<int>(lines_.longestLine());
    horizontal.nPage = static_cast<UINT>(visibleColumns());
    horizontal.nPos = static_cast<int>(left_);
    SetScrollInfo(window_, SB_HORZ, &horizontal, TRUE);
}

void ProgramTextView::scrollTo(std::ptrdiff_t top, std::ptrdiff_t left) {
    const std::ptrdiff_t lastTop =
        std::max<std::ptrdiff_t>(0, signedSize(lines_.count()) - visibleLines());
    const std::ptrdiff_t lastLeft =
        std::max<std::ptrdiff_t>(0, signedSize(lines_.longestLine()) + 1 - visibleColumns());
    top_ = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(top, 0, lastTop));
    left_ = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(left, 0, lastLeft));
    updateScrollBars();
    InvalidateRect(window_, nullptr, TRUE);
}

std::ptrdiff_t ProgramTextView::scrollPosition(int bar, WORD request, std::ptrdiff_t now,
                                               int page) const {
    switch (request) {
    case SB_LINEUP:
        return now - 1;
    case SB_LINEDOWN:
        return now + 1;
    case SB_PAGEUP:
        return now - page;
    case SB_PAGEDOWN:
        return now + page;
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return signedSize(lines_.count());
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The message's 16 bits are too few for a long program.
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(window_, bar, &info);
        return info.nTrackPos;
    }
    default:
        return now;
    }
}

void ProgramTextView::paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_WINDOW));
    const HGDIOBJ previous = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const int x = Margin - static_cast<int>(left_) * charWidth_;
    const std::size_t end = std::min(lines_.count(), top_ + visibleLines() + 1);
    for (std::size_t index = top_; index < end; ++index) {
        const std::wstring_view line = lines_.line(index);
        const int y = static_cast<int>(index - top_) * lineHeight_;
        TabbedTextOutW(dc, x, y, line.data(), static_cast<int>(line.size()), 0, nullptr, x);
    }
    SelectObject(dc, previous);
    EndPaint(window_, &paint);
}

LRESULT ProgramTextView::copyText(std::size_t room, wchar_t* buffer) const {
    if (room == 0 || buffer == nullptr) {
        return 0;
    }
    const std::wstring text = lines_.joined();
    const std::size_t copied = text.copy(buffer, room - 1);
    buffer[copied] = L'\0';
    return static_cast<LRESULT>(copied);
}

LRESULT ProgramTextView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // painted with the text
    case WM_SIZE:
        scrollTo(signedSize(top_), signedSize(left_));
        return 0;
    case WM_SETFONT:
        setFont(fromInteger<HFONT>(wParam));
        scrollTo(signedSize(top_), signedSize(left_));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT:
        clear();
        if (lParam != 0) {
            append(fromInteger<const wchar_t*>(lParam));
        }
        return TRUE;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(lines_.length());
    case WM_GETTEXT:
        return copyText(wParam, fromInteger<wchar_t*>(lParam));
    case WM_VSCROLL:
        scrollTo(scrollPosition(SB_VERT, LOWORD(wParam), signedSize(top_), visibleLines()),
                 signedSize(left_));
        return 0;
    case WM_HSCROLL:
        scrollTo(signedSize(top_),
                 scrollPosition(SB_HORZ, LOWORD(wParam), signedSize(left_), visibleColumns()));
        return 0;
    case WM_MOUSEWHEEL:
        scrollTo(signedSize(top_) - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * WheelLines,
                 signedSize(left_));
        return 0;
    case WM_KEYDOWN: {
        static constexpr struct {
            WPARAM key;
            int bar;
            WORD request;
        } keys[] = {{VK_UP, SB_VERT, SB_LINEUP},    {VK_DOWN, SB_VERT, SB_LINEDOWN},
                    {VK_PRIOR, SB_VERT, SB_PAGEUP}, {VK_NEXT, SB_VERT, SB_PAGEDOWN},
                    {VK_HOME, SB_VERT, SB_TOP},     {VK_END, SB_VERT, SB_BOTTOM},
                    {VK_LEFT, SB_HORZ, SB_LINEUP},  {VK_RIGHT, SB_HORZ, SB_LINEDOWN}};
        for (const auto& key : keys) {
            if (key.key == wParam) {
                SendMessageW(window_, key.bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, key.request, 0);
                return 0;
            }
        }
        break;
    }
    case WM_LBUTTONDOWN:
        SetFocus(window_);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace drovane
