#include "window_fixture.h"

#include <array>
#include <commctrl.h>
#include <windowsx.h>

using namespace drovane;

namespace {

void type(HWND field, wchar_t character) {
    SendMessageW(field, WM_CHAR, character, 1);
}

LPARAM at(int x, int y) {
    return MAKELPARAM(x, y);
}

} // namespace

TEST_F(WindowTest, TypingIsAnEditButTheProgramsOwnTextIsNot) {
    view->setText("FileNameField", "O1001.nc");
    view->setText("PatternField", "*.tap");
    EXPECT_TRUE(takeEvents().empty());
    type(control("FileNameField"), L'x'); // the caret is at the start after a new text
    EXPECT_EQ(view->text("FileNameField"), "xO1001.nc");
    EXPECT_EQ(takeEvents(), (std::vector<Event>{{"FileNameField", Trigger::Edited}}));
}

TEST_F(WindowTest, DigitsOnlyFieldsRefuseOtherKeysButNotTheProgramsText) {
    HWND field = control("EndCharField");
    view->setText("EndCharField", "");
    for (const wchar_t key : {L'a', L' ', L'-', L'+', L'$', L'1', L'9'}) {
        type(field, key);
    }
    EXPECT_EQ(view->text("EndCharField"), "19");
    view->setText("EndCharField", "$1B");
    EXPECT_EQ(view->text("EndCharField"), "$1B");
}

TEST_F(WindowTest, ReadOnlyTextTakesNoTyping) {
    view->setText("DirectoryField", "C:\\NC\\");
    type(control("DirectoryField"), L'x');
    type(control("StatusLine"), L'x');
    type(control("ProgramEditor"), L'x');
    EXPECT_EQ(view->text("DirectoryField"), "C:\\NC\\");
    EXPECT_EQ(view->text("StatusLine"), "");
    EXPECT_EQ(view->text("ProgramEditor"), "");
    EXPECT_TRUE(takeEvents().empty());
}

TEST_F(WindowTest, FocusComingAndGoingIsReported) {
    ShowWindow(window->handle(), SW_SHOW);
    view->setFocus("PatternField");
    view->setFocus("FileNameField");
    const auto seen = takeEvents();
    const std::vector<Event> expected{{"PatternField", Trigger::FocusGained},
                                      {"PatternField", Trigger::FocusLost},
                                      {"FileNameField", Trigger::FocusGained}};
    EXPECT_EQ(seen, expected);
}

TEST_F(WindowTest, OnlyTheUsersPickOfAnEntryIsReported) {
    const std::array<std::string, 3> rates{"4800", "9600", "19200"};
    view->setItems("BaudCombo", rates);
    view->selectItem("BaudCombo", 1);
    EXPECT_TRUE(takeEvents().empty());
    SendMessageW(control("BaudCombo"), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(view->text("BaudCombo"), "19200");
    EXPECT_EQ(takeEvents(), (std::vector<Event>{{"BaudCombo", Trigger::Picked}}));
}

TEST_F(WindowTest, ARightPressActsAtOnceAndLeavesTheButtonUp) {
    for (const std::string_view name : {"DirectionButton", "DirectoryButton"}) {
        HWND button = control(name);
        SendMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, at(5, 5));
        EXPECT_EQ(takeEvents(), (std::vector<Event>{{std::string(name), Trigger::RightPress}}));
        EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << name;
        SendMessageW(button, WM_RBUTTONUP, 0, at(5, 5));
    }
    SendMessageW(control("FileButton"), WM_RBUTTONDOWN, MK_RBUTTON, at(5, 5));
    EXPECT_TRUE(takeEvents().empty()); // the other buttons have no right-press command
}

TEST_F(WindowTest, OnlyALeftPressInTheLastFortyPixelsOfTheStatusBarAsksForHelp) {
    HWND bar = control("StatusBar");
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at(WindowWidth - 40, 5));
    SendMessageW(bar, WM_LBUTTONUP, 0, at(WindowWidth - 40, 5));
    SendMessageW(bar, WM_RBUTTONDOWN, MK_RBUTTON, at(WindowWidth - 10, 5));
    EXPECT_TRUE(takeEvents().empty());
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at(WindowWidth - 10, 5));
    EXPECT_EQ(takeEvents(), (std::vector<Event>{{"StatusBar", Trigger::HelpClick}}));
}

TEST_F(WindowTest, TheFileListReportsTheUsersSelectionAndOpeningNotTheProgramsRows) {
    const std::array<FileRowText, 3> rows{FileRowText{"..", "", "", ""},
                                          FileRowText{"O1001.nc", "1 KB", "", ""},
                                          FileRowText{"O2001.nc", "2 KB", "", ""}};
    view->showFileRows(rows);
    view->selectFileRow(1);
    EXPECT_EQ(view->selectedFileRow(), 1);
    EXPECT_TRUE(takeEvents().empty());

    HWND list = control("FileList");
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(view->selectedFileRow(), 2);
    const auto moved = takeEvents();
    ASSERT_FALSE(moved.empty());
    for (const Event& event : moved) {
        EXPECT_EQ(event, (Event{"FileList", Trigger::ListChanged}));
    }

    // Enter goes past the dialog keys to the list, which opens the entry.
    MSG enter{list, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_FALSE(window->takeDialogKey(enter));
    DispatchMessageW(&enter);
    EXPECT_EQ(takeEvents(), (std::vector<Event>{{"FileList", Trigger::ListOpened}}));

    view->showFileRows({});
    EXPECT_EQ(view->selectedFileRow(), -1);
    EXPECT_TRUE(takeEvents().empty());
}

TEST_F(WindowTest, ButtonsReportClicksByTheirTableName) {
    for (const std::string_view name : {"StartButton", "AddMachineButton", "DtrDsrCheck"}) {
        SendMessageW(control(name), BM_CLICK, 0, 0);
        EXPECT_EQ(takeEvents(), (std::vector<Event>{{std::string(name), Trigger::Click}}));
    }
    EXPECT_TRUE(view->checked("DtrDsrCheck"));
}
