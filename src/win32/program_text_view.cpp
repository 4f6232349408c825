#include "win32/program_text_view.h"

#include "core/text.h"
#include "win32/clipboard_text.h"
#include "win32/message_params.h"
#include "win32/wide_text.h"
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>

namespace drovane {
namespace {

constexpr UINT SendFromHereItem = 1;
// The line a send has out: a light yellow that no system colour scheme gives
// the window itself.
constexpr COLORREF FollowedLineColour = RGB(255, 244, 176);
constexpr const wchar_t* SendFromHereText = L"Ab hier senden";

std::ptrdiff_t signedSize(std::size_t value) {
    return static_cast<std::ptrdiff_t>(value);
}

// The window's device context with a font in it, for measuring text.
class FontDc {
public:
    FontDc(HWND window, HFONT font)
        : window_(window), dc_(GetDC(window)), previous_(SelectObject(dc_, font)) {}
    ~FontDc() {
        SelectObject(dc_, previous_);
        ReleaseDC(window_, dc_);
    }
    FontDc(const FontDc&) = delete;
    FontDc& operator=(const FontDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previous_;
};

class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDcState() { RestoreDC(dc_, saved_); }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

// Measured as TabbedTextOutW draws it, tabs included.
int textWidth(HDC dc, std::wstring_view line, std::size_t columns) {
    if (columns == 0) {
        return 0;
    }
    return LOWORD(GetTabbedTextExtentW(dc, line.data(), static_cast<int>(columns), 0, nullptr));
}

// The column boundary nearest to x, which counts from the line's left end.
std::size_t columnAt(HDC dc, std::wstring_view line, int x) {
    std::size_t low = 0;
    std::size_t high = line.size();
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (textWidth(dc, line, middle) <= x) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    if (low < line.size() && x - textWidth(dc, line, low) > textWidth(dc, line, low + 1) - x) {
        ++low;
    }
    return low;
}

POINT pointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

std::ptrdiff_t rowAt(int y, int lineHeight) {
    // Rounds down above the window too, where a drag goes on.
    return (y >= 0 ? y : y - lineHeight + 1) / lineHeight;
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

void ProgramTextView::append(std::string_view bytes) {
    lines_.append(bytes);
    indexMore(lines_.bytes().size());
}

bool ProgramTextView::indexMore(std::size_t bytes) {
    return indexSlices(bytes, [] { return false; });
}

bool ProgramTextView::indexSlices(std::size_t sliceBytes, const std::function<bool()>& goOn) {
    const std::size_t linesBefore = lines_.count();
    bool more = false;
    do {
        more = lines_.indexMore(sliceBytes);
    } while (more && goOn());
    updateScrollBars();
    // Only what is in view needs painting again.
    if (linesBefore - 1 < top_ + static_cast<std::size_t>(visibleLines())) {
        InvalidateRect(window_, nullptr, TRUE);
    }
    return more;
}

void ProgramTextView::showBytes(SharedText text) {
    clear();
    lines_.show(std::move(text));
}

void ProgramTextView::clear() {
    lines_.clear();
    selection_.clear();
    top_ = 0;
    left_ = 0;
    followed_.reset();
    updateScrollBars();
    InvalidateRect(window_, nullptr, TRUE);
}

void ProgramTextView::scrollToStart() {
    scrollTo(0, 0);
}

void ProgramTextView::clearSelection() {
    selection_.clear();
    InvalidateRect(window_, nullptr, TRUE);
}

void ProgramTextView::followLine(std::optional<std::size_t> line) {
    followed_ = line;
    if (line && (*line < top_ || *line >= top_ + static_cast<std::size_t>(visibleLines()))) {
        // The line going out sits a third down, so what comes next shows too.
        scrollTo(signedSize(*line) - visibleLines() / 3, signedSize(left_));
        return;
    }
    InvalidateRect(window_, nullptr, TRUE);
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
    const FontDc dc(window_, font_);
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc.get(), &metrics) != 0) {
        lineHeight_ = std::max(1, static_cast<int>(metrics.tmHeight));
        charWidth_ = std::max(1, static_cast<int>(metrics.tmAveCharWidth));
    }
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
    horizontal.nMax = static_cast<int>(lines_.widestColumns());
    horizontal.nPage = static_cast<UINT>(visibleColumns());
    horizontal.nPos = static_cast<int>(left_);
    SetScrollInfo(window_, SB_HORZ, &horizontal, TRUE);
}

void ProgramTextView::scrollTo(std::ptrdiff_t top, std::ptrdiff_t left) {
    const std::ptrdiff_t lastTop =
        std::max<std::ptrdiff_t>(0, signedSize(lines_.count()) - visibleLines());
    const std::ptrdiff_t lastLeft =
        std::max<std::ptrdiff_t>(0, signedSize(lines_.widestColumns()) + 1 - visibleColumns());
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
        return signedSize(bar == SB_VERT ? lines_.count() : lines_.widestColumns());
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

int ProgramTextView::textLeft() const {
    return Margin - static_cast<int>(left_) * charWidth_;
}

void ProgramTextView::paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_WINDOW));
    const HGDIOBJ previous = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    const std::size_t end = std::min(lines_.count(), top_ + visibleLines() + 1);
    for (std::size_t index = top_; index < end; ++index) {
        paintLine(dc, index, static_cast<int>(index - top_) * lineHeight_);
    }
    SelectObject(dc, previous);
    EndPaint(window_, &paint);
}

void ProgramTextView::paintLine(HDC dc, std::size_t index, int y) const {
    const std::wstring line = shownProgramLine(lines_.line(index));
    const int x = textLeft();
    if (followed_ == index) {
        RECT client{};
        GetClientRect(window_, &client);
        const RECT row{0, y, client.right, y + lineHeight_};
        const std::unique_ptr<std::remove_pointer_t<HBRUSH>, decltype(&DeleteObject)> brush(
            CreateSolidBrush(FollowedLineColour), &DeleteObject);
        FillRect(dc, &row, brush.get());
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    TabbedTextOutW(dc, x, y, line.data(), static_cast<int>(line.size()), 0, nullptr, x);
    paintSelection(dc, index, line, y);
}

void ProgramTextView::paintSelection(HDC dc, std::size_t index, std::wstring_view line,
                                     int y) const {
    const std::optional<LineSpan> span = selection_.spanOn(index, line.size());
    if (!span) {
        return;
    }
    const int x = textLeft();
    const int breakWidth = span->throughBreak ? charWidth_ : 0;
    const RECT marked{x + textWidth(dc, line, span->from), y,
                      x + textWidth(dc, line, span->to) + breakWidth, y + lineHeight_};
    FillRect(dc, &marked, GetSysColorBrush(COLOR_HIGHLIGHT));
    // The same text again over the mark, so tabs land where they did.
    const SavedDcState saved(dc);
    IntersectClipRect(dc, marked.left, marked.top, marked.right, marked.bottom);
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    TabbedTextOutW(dc, x, y, line.data(), static_cast<int>(line.size()), 0, nullptr, x);
}

TextPosition ProgramTextView::positionAt(POINT point) const {
    const std::ptrdiff_t line = std::clamp<std::ptrdiff_t>(
        signedSize(top_) + rowAt(point.y, lineHeight_), 0, signedSize(lines_.count()) - 1);
    const auto index = static_cast<std::size_t>(line);
    const FontDc dc(window_, font_);
    return {index, columnAt(dc.get(), shownProgramLine(lines_.line(index)), point.x - textLeft())};
}

void ProgramTextView::pressButton(WPARAM keys, POINT point) {
    SetFocus(window_);
    SetCapture(window_);
    selecting_ = true;
    if ((keys & MK_SHIFT) != 0) {
        selection_.extendTo(positionAt(point));
    } else {
        selection_.startAt(positionAt(point));
    }
    InvalidateRect(window_, nullptr, TRUE);
}

void ProgramTextView::dragTo(POINT point) {
    RECT client{};
    GetClientRect(window_, &client);
    if (point.y < 0) {
        scrollTo(signedSize(top_) - 1, signedSize(left_));
    } else if (point.y >= client.bottom) {
        scrollTo(signedSize(top_) + 1, signedSize(left_));
    }
    selection_.extendTo(positionAt(point));
    InvalidateRect(window_, nullptr, TRUE);
}

void ProgramTextView::selectLineAt(POINT point) {
    const std::size_t line = positionAt(point).line;
    selection_.startAt({line, 0});
    selection_.extendTo({line, lines_.line(line).size()});
    InvalidateRect(window_, nullptr, TRUE);
}

void ProgramTextView::selectAll() {
    selection_.selectAll(lines_);
    InvalidateRect(window_, nullptr, TRUE);
}

void ProgramTextView::copySelection() const {
    if (!selection_.empty()) {
        putOnClipboard(window_, shownProgramLine(selection_.text(lines_, "\r\n")));
    }
}

bool ProgramTextView::commandKey(WPARAM key) {
    if (GetKeyState(VK_CONTROL) >= 0) {
        return false;
    }
    if (key == 'A') {
        selectAll();
        return true;
    }
    if (key == 'C' || key == VK_INSERT) {
        copySelection();
        return true;
    }
    return false;
}

bool ProgramTextView::scrollKey(WPARAM key) {
    static constexpr struct {
        WPARAM key;
        int bar;
        WORD request;
    } keys[] = {{VK_UP, SB_VERT, SB_LINEUP},    {VK_DOWN, SB_VERT, SB_LINEDOWN},
                {VK_PRIOR, SB_VERT, SB_PAGEUP}, {VK_NEXT, SB_VERT, SB_PAGEDOWN},
                {VK_HOME, SB_VERT, SB_TOP},     {VK_END, SB_VERT, SB_BOTTOM},
                {VK_LEFT, SB_HORZ, SB_LINEUP},  {VK_RIGHT, SB_HORZ, SB_LINEDOWN}};
    for (const auto& entry : keys) {
        if (entry.key == key) {
            SendMessageW(window_, entry.bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, entry.request, 0);
            return true;
        }
    }
    return false;
}

void ProgramTextView::showContextMenu(POINT screen) {
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: the first line in view.
        screen = {Margin, 0};
        ClientToScreen(window_, &screen);
    }
    POINT client = screen;
    ScreenToClient(window_, &client);
    const std::size_t line = positionAt(client).line;
    const std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&DestroyMenu)> menu(
        CreatePopupMenu(), &DestroyMenu);
    if (!menu || AppendMenuW(menu.get(), MF_STRING, SendFromHereItem, SendFromHereText) == 0) {
        return;
    }
    const BOOL chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                                       screen.y, 0, window_, nullptr);
    if (chosen == static_cast<BOOL>(SendFromHereItem)) {
        SendMessageW(GetParent(window_), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(window_), SendFromLineCommand),
                     static_cast<LPARAM>(line + 1));
    }
}

LRESULT ProgramTextView::copyText(std::size_t room, wchar_t* buffer) const {
    if (room == 0 || buffer == nullptr) {
        return 0;
    }
    const std::wstring text = shownProgramLine(lines_.joined("\r\n"));
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
            append(windows1252FromWide(fromInteger<const wchar_t*>(lParam)));
        }
        return TRUE;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(lines_.joined("\r\n").size());
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
        scrollTo(signedSize(top_) + wheel_.linesFor(GET_WHEEL_DELTA_WPARAM(wParam)),
                 signedSize(left_));
        return 0;
    case WM_CONTEXTMENU:
        showContextMenu(pointOf(lParam));
        return 0;
    case WM_KEYDOWN:
        if (commandKey(wParam) || scrollKey(wParam)) {
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        pressButton(wParam, pointOf(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (selecting_ && (wParam & MK_LBUTTON) != 0) {
            dragTo(pointOf(lParam));
        }
        return 0;
    case WM_LBUTTONUP:
        selecting_ = false;
        ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        selecting_ = false;
        return 0;
    case WM_LBUTTONDBLCLK:
        selectLineAt(pointOf(lParam));
        return 0;
    case WM_COPY:
        copySelection();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace drovane
