#include "win32/win32_main_window.h"

#include "win32/control_events.h"
#include "win32/control_factory.h"
#include "win32/hand_over_send.h"
#include "win32/message_params.h"
#include "win32/program_text_view.h"
#include "win32/resource_ids.h"
#include "win32/status_bar.h"
#include "win32/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <commctrl.h>
#include <windowsx.h>

namespace drovane {
namespace {

constexpr const wchar_t* WindowClass = MainWindowClass;
constexpr const wchar_t* PageClass = L"DrovaneTabPage";
constexpr const wchar_t* Title = L"Drovane";
// Fixed size: no sizing frame, no maximise box.
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD WindowExStyle = WS_EX_CONTROLPARENT;
constexpr int PanelId = 900;
constexpr int StatusBarId = 901;
constexpr int FirstControlId = 1000;
constexpr UINT_PTR EditorTimerId = 1;
constexpr UINT TasksMessage = WM_APP + 1;
constexpr UINT_PTR FilterId = 1;

// The buttons whose right press is a command of its own.
constexpr std::array<std::string_view, 2> rightPressButtons{"DirectionButton", "DirectoryButton"};

bool registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON icon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The outer rectangle whose client area is exactly the window's size,
// centred in the work area.
RECT centredWindowRect() {
    RECT outer{0, 0, WindowWidth, WindowHeight};
    AdjustWindowRectEx(&outer, WindowStyle, FALSE, WindowExStyle);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG width = outer.right - outer.left;
    const LONG height = outer.bottom - outer.top;
    const LONG left = work.left + std::max(LONG{0}, (work.right - work.left - width) / 2);
    const LONG top = work.top + std::max(LONG{0}, (work.bottom - work.top - height) / 2);
    return {left, top, left + width, top + height};
}

HMENU controlId(int id) {
    return fromInteger<HMENU>(static_cast<INT_PTR>(id));
}

} // namespace

Win32MainWindow::Win32MainWindow(Key /*key*/, HINSTANCE instance, ControlEventSink sink)
    : instance_(instance), sink_(std::move(sink)) {}

std::unique_ptr<Win32MainWindow> Win32MainWindow::create(HINSTANCE instance, bool boldFont,
                                                         ControlEventSink sink) {
    auto window = std::make_unique<Win32MainWindow>(Key{}, instance, std::move(sink));
    if (!window->createContents(boldFont)) {
        return nullptr;
    }
    return window;
}

Win32MainWindow::~Win32MainWindow() {
    programEditor_.reset();
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

bool Win32MainWindow::createContents(bool boldFont) {
    const ProgramChange building = programChange();
    auto* gear = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(DROVANE_ICON_MACHINE),
                                               IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!registerClass(instance_, WindowClass, windowProc, gear) ||
        !registerClass(instance_, PageClass, pageProc, nullptr) ||
        !ProgramTextView::registerClass(instance_)) {
        return false;
    }
    const RECT place = centredWindowRect();
    CreateWindowExW(WindowExStyle, WindowClass, Title, WindowStyle, place.left, place.top,
                    place.right - place.left, place.bottom - place.top, nullptr, nullptr, instance_,
                    this);
    if (window_ == nullptr) {
        return false;
    }
    tasks_ = std::make_unique<GuiTaskQueue>(window_, TasksMessage);
    // "System" is the bold face; the status bar keeps its own font.
    const auto font = static_cast<HFONT>(GetStockObject(boldFont ? SYSTEM_FONT : DEFAULT_GUI_FONT));
    statusBar_ = createStatusBar(window_, StatusBarId, instance_);
    if (statusBar_ == nullptr || !createPanel(font) || !createControls(font)) {
        return false;
    }
    SetWindowSubclass(statusBar_, statusBarProc, FilterId, reinterpret_cast<DWORD_PTR>(this));
    for (const std::string_view name : rightPressButtons) {
        SetWindowSubclass(control(name), buttonProc, FilterId, reinterpret_cast<DWORD_PTR>(this));
    }
    ProgramTextView* editor = ProgramTextView::of(control("ProgramEditor"));
    if (editor == nullptr) {
        return false;
    }
    programEditor_ = std::make_unique<EditorFiller>(*editor, window_, EditorTimerId);
    return true;
}

bool Win32MainWindow::createPanel(HFONT font) {
    const Geometry& area = MainPanelGeometry;
    panel_ = CreateWindowExW(
        0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, area.x,
        area.y, area.width, area.height, window_, controlId(PanelId), instance_, nullptr);
    if (panel_ == nullptr) {
        return false;
    }
    SendMessageW(panel_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int tab = 0;
    for (const std::string_view title : initialTabTitles()) {
        std::wstring text = wideFromUtf8(title);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(panel_, TCM_INSERTITEMW, tab++, reinterpret_cast<LPARAM>(&item));
    }
    // The pages lie over the panel's display area, as siblings above it, so
    // that their controls are children of a plain window.
    RECT display{area.x, area.y, area.x + area.width, area.y + area.height};
    SendMessageW(panel_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND& page : pages_) {
        page = CreateWindowExW(WS_EX_CONTROLPARENT, PageClass, L"", WS_CHILD | WS_CLIPSIBLINGS,
                               display.left, display.top, display.right - display.left,
                               display.bottom - display.top, window_, nullptr, instance_, nullptr);
        if (page == nullptr) {
            return false;
        }
    }
    SetWindowPos(panel_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    showPage(0);
    return true;
}

bool Win32MainWindow::createControls(HFONT font) {
    int id = FirstControlId;
    for (const ControlSpec& spec : controlTable()) {
        HWND container = spec.container == Container::Window
                             ? window_
                             : pages_.at(static_cast<std::size_t>(spec.container));
        HWND made = createControl(spec, {container, id++, font, instance_});
        if (made == nullptr) {
            return false;
        }
        controls_.push_back(made);
    }
    lowerFrames(controlTable(), controls_);
    return true;
}

void Win32MainWindow::showPage(int page) {
    for (std::size_t index = 0; index < pages_.size(); ++index) {
        ShowWindow(pages_[index], static_cast<int>(index) == page ? SW_SHOW : SW_HIDE);
    }
}

HWND Win32MainWindow::control(std::string_view name) const {
    if (name == "MainPanel") {
        return panel_;
    }
    if (name == "StatusBar") {
        return statusBar_;
    }
    const auto table = controlTable();
    const auto found = std::ranges::find(table, name, &ControlSpec::name);
    const auto index = static_cast<std::size_t>(found - table.begin());
    return index < controls_.size() ? controls_[index] : nullptr;
}

const ControlSpec* Win32MainWindow::spec(std::string_view name) const {
    const auto table = controlTable();
    const auto found = std::ranges::find(table, name, &ControlSpec::name);
    return found == table.end() ? nullptr : &*found;
}

const ControlSpec* Win32MainWindow::specById(UINT_PTR id) const {
    const auto table = controlTable();
    if (id < FirstControlId || id - FirstControlId >= table.size()) {
        return nullptr;
    }
    return &table[id - FirstControlId];
}

bool Win32MainWindow::takeDialogKey(MSG& message) const {
    // The dialog keys would turn Enter into a default-button press; on the
    // file list it opens the entry.
    const bool enterOnList = message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
                             message.hwnd == control("FileList");
    return !enterOnList && IsDialogMessageW(window_, &message) != 0;
}

void Win32MainWindow::report(std::string_view control, Trigger trigger) const {
    if (programChanges_ == 0 && sink_) {
        sink_(control, trigger);
    }
}

LRESULT CALLBACK Win32MainWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32MainWindow*>(
            fromInteger<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = fromInteger<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT CALLBACK Win32MainWindow::pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
        return SendMessageW(GetParent(page), message, wParam, lParam);
    default:
        return DefWindowProcW(page, message, wParam, lParam);
    }
}

LRESULT CALLBACK Win32MainWindow::buttonProc(HWND button, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR subclass, DWORD_PTR self) {
    const auto* window = fromInteger<const Win32MainWindow*>(self);
    if (message == WM_RBUTTONDOWN) {
        // At once, before the button sees it: a right press never presses it.
        if (const ControlSpec* spec = window->specById(GetDlgCtrlID(button))) {
            window->report(spec->name, Trigger::RightPress);
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(button, buttonProc, subclass);
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

LRESULT CALLBACK Win32MainWindow::statusBarProc(HWND bar, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR subclass, DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(bar, statusBarProc, subclass);
        return DefSubclassProc(bar, message, wParam, lParam);
    }
    const LRESULT result = DefSubclassProc(bar, message, wParam, lParam);
    if (message == WM_LBUTTONDOWN) {
        const auto* window = fromInteger<const Win32MainWindow*>(self);
        RECT client{};
        GetClientRect(window->window_, &client);
        if (isHelpClick(GET_X_LPARAM(lParam), static_cast<int>(client.right))) {
            window->report("StatusBar", Trigger::HelpClick);
        }
    }
    return result;
}

LRESULT Win32MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (hook_) {
        if (const std::optional<LRESULT> result = hook_(message, wParam, lParam)) {
            return *result;
        }
    }
    switch (message) {
    case WM_COMMAND:
        onCommand(wParam, lParam);
        return 0;
    case WM_NOTIFY:
        return onNotify(*fromInteger<NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
        if (const auto brush = onColour(fromInteger<HDC>(wParam), fromInteger<HWND>(lParam))) {
            return *brush;
        }
        break;
    case WM_TIMER:
        if (wParam == EditorTimerId && programEditor_) {
            programEditor_->onTimer();
            return 0;
        }
        break;
    case TasksMessage:
        tasks_->runPending();
        return 0;
    case WM_CLOSE:
        // No question, nothing saved, no job awaited.
        DestroyWindow(window_);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void Win32MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        return; // no menu and no shortcut of ours
    }
    if (const ControlSpec* spec = specById(LOWORD(wParam))) {
        if (const auto trigger = commandTrigger(spec->kind, HIWORD(wParam))) {
            report(spec->name, *trigger);
        }
    }
}

LRESULT Win32MainWindow::onNotify(NMHDR& header) {
    if (header.hwndFrom == panel_ && header.code == static_cast<UINT>(TCN_SELCHANGE)) {
        showPage(static_cast<int>(SendMessageW(panel_, TCM_GETCURSEL, 0, 0)));
        return 0;
    }
    const ControlSpec* spec = specById(header.idFrom);
    if (spec == nullptr || spec->kind != ControlKind::FileList) {
        return 0;
    }
    if (header.code == static_cast<UINT>(LVN_GETDISPINFOW)) {
        fileRows_.fill(*reinterpret_cast<NMLVDISPINFOW*>(&header));
        return 0;
    }
    bool selectionChanged = false;
    if (header.code == static_cast<UINT>(LVN_ITEMCHANGED)) {
        const auto& change = *reinterpret_cast<const NMLISTVIEW*>(&header);
        selectionChanged = (change.uChanged & LVIF_STATE) != 0 &&
                           ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0;
    }
    if (const auto trigger = notifyTrigger(spec->kind, header.code, selectionChanged)) {
        report(spec->name, *trigger);
    }
    return 0;
}

std::optional<LRESULT> Win32MainWindow::onColour(HDC dc, HWND control) const {
    // A read-only field keeps the normal window background, not the grey one.
    const ControlSpec* spec = specById(static_cast<UINT_PTR>(GetDlgCtrlID(control)));
    const bool readOnlyText =
        spec != nullptr && (spec->options & option::ReadOnly) != 0 && IsWindowEnabled(control) != 0;
    if (!readOnlyText) {
        return std::nullopt;
    }
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

} // namespace drovane
