#include "window_fixture.h"

#include <commctrl.h>

using namespace drovane;

namespace {

RECT placeInParent(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

} // namespace

TEST_F(WindowTest, TheClientAreaIsExactlyTheDrawnSizeAndTheFrameIsFixed) {
    RECT client{};
    GetClientRect(window->handle(), &client);
    EXPECT_EQ(client.right, WindowWidth);
    EXPECT_EQ(client.bottom, WindowHeight);
    wchar_t title[32] = {};
    GetWindowTextW(window->handle(), title, 32);
    EXPECT_STREQ(title, L"Drovane");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window->handle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0U);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_SYSMENU | WS_CAPTION),
              static_cast<DWORD>(WS_MINIMIZEBOX | WS_SYSMENU | WS_CAPTION));
}

TEST_F(WindowTest, EveryControlSitsWhereTheTableSaysInItsContainer) {
    for (const ControlSpec& spec : controlTable()) {
        HWND made = control(spec.name);
        ASSERT_NE(made, nullptr) << spec.name;
        const RECT place = placeInParent(made);
        EXPECT_EQ(place.left, spec.x) << spec.name;
        EXPECT_EQ(place.top, spec.y) << spec.name;
        EXPECT_EQ(place.right - place.left, spec.width) << spec.name;
        if (spec.kind != ControlKind::DropDown) {
            EXPECT_EQ(place.bottom - place.top, spec.height) << spec.name;
        }
        const bool onPanel = spec.container != Container::Window;
        EXPECT_EQ(GetParent(made) != window->handle(), onPanel) << spec.name;
    }
    const RECT panel = placeInParent(control("MainPanel"));
    EXPECT_EQ(panel.left, MainPanelGeometry.x);
    EXPECT_EQ(panel.top, MainPanelGeometry.y);
    EXPECT_EQ(panel.right - panel.left, MainPanelGeometry.width);
    EXPECT_EQ(panel.bottom - panel.top, MainPanelGeometry.height);
}

TEST_F(WindowTest, EachTabShowsOnlyItsOwnControls) {
    ShowWindow(window->handle(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(control("FileList")));
    EXPECT_FALSE(IsWindowVisible(control("BaudCombo")));
    EXPECT_FALSE(IsWindowVisible(control("ProgramEditor")));
    EXPECT_TRUE(IsWindowVisible(control("StartButton"))); // below the panel: always
    SendMessageW(control("MainPanel"), TCM_SETCURFOCUS, 1, 0);
    EXPECT_TRUE(pumpUntil([&] { return IsWindowVisible(control("BaudCombo")) != 0; }));
    EXPECT_FALSE(IsWindowVisible(control("FileList")));
    EXPECT_TRUE(IsWindowVisible(control("StartButton")));
    EXPECT_EQ(view->tabTitle(1), "COM1");
    EXPECT_EQ(view->tabTitle(2), "CNC-Programm");
}

TEST_F(WindowTest, TheFirstTextsOptionsAndTheStatusBarAreThere) {
    EXPECT_EQ(view->text("PatternField"), "*.nc");
    EXPECT_EQ(view->text("StartButton"), "Übertragung starten");
    EXPECT_EQ(view->text("DtrDsrCheck"), "DTR/DSR");
    EXPECT_FALSE(IsWindowEnabled(control("LineEndCombo")));
    EXPECT_FALSE(IsWindowEnabled(control("XonSendCombo")));
    EXPECT_TRUE(IsWindowEnabled(control("BaudCombo")));
    HWND bar = control("StatusBar");
    ASSERT_NE(bar, nullptr);
    int edges[3] = {};
    ASSERT_EQ(SendMessageW(bar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 85);
    EXPECT_EQ(edges[1], WindowWidth - HelpFieldWidth);
    wchar_t text[64] = {};
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L" Version 0.817");
    SendMessageW(bar, SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"\tHilfe"); // the tab centres it
    EXPECT_EQ(SendMessageW(control("TransferProgress"), PBM_GETRANGE, FALSE, 0), 100);
}

TEST_F(WindowTest, BoldFontIsTheSystemFontOnEveryControlButTheStatusBar) {
    const auto font = [this](std::string_view name) {
        return reinterpret_cast<HGDIOBJ>(SendMessageW(control(name), WM_GETFONT, 0, 0));
    };
    const HGDIOBJ system = GetStockObject(SYSTEM_FONT);
    const HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
    EXPECT_EQ(font("BaudLabel"), gui);
    EXPECT_EQ(font("MainPanel"), gui);
    open(true);
    for (const std::string_view name : {"BaudLabel", "MainPanel", "StartButton", "FileList"}) {
        EXPECT_EQ(font(name), system) << name;
    }
    EXPECT_NE(font("StatusBar"), system);
}

TEST_F(WindowTest, AReadOnlyFieldKeepsTheWindowBackground) {
    HDC dc = GetDC(control("DirectoryField"));
    const auto brush = [&](std::string_view name) {
        return SendMessageW(GetParent(control(name)), WM_CTLCOLORSTATIC,
                            reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control(name)));
    };
    EXPECT_EQ(brush("DirectoryField"), reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
    EXPECT_EQ(brush("StatusLine"), reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
    EXPECT_NE(brush("BaudLabel"), reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
    ReleaseDC(control("DirectoryField"), dc);
}
