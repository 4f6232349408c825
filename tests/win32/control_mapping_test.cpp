#include "win32/control_events.h"
#include "win32/control_style.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <string>
#include <vector>

using namespace drovane;

namespace {

const ControlSpec& row(std::string_view name) {
    for (const ControlSpec& spec : controlTable()) {
        if (spec.name == name) {
            return spec;
        }
    }
    ADD_FAILURE() << "no control " << name;
    return controlTable().front();
}

bool has(DWORD style, DWORD bits) {
    return (style & bits) == bits;
}

} // namespace

TEST(ControlStyle, EachOptionBecomesItsStyleOnTheRightClass) {
    struct Case {
        std::string_view control;
        std::wstring className;
        DWORD present;
        DWORD absent;
    };
    const std::vector<Case> cases{
        {"DirectoryField", L"Edit", ES_READONLY | ES_AUTOHSCROLL, ES_NUMBER | ES_MULTILINE},
        {"EndCharField", L"Edit", ES_NUMBER, ES_READONLY | ES_CENTER},
        {"PatternField", L"Edit", ES_CENTER, ES_READONLY | ES_NUMBER},
        {"FileNameField", L"Edit", WS_BORDER, ES_READONLY},
        {"BeforeProgramField", L"Edit", 0, ES_NUMBER | WS_BORDER}, // any text goes in
        // Our own control: the system's edit control stalls on a long program.
        {"ProgramEditor", L"DrovaneProgramText", WS_VSCROLL | WS_HSCROLL, ES_READONLY},
        {"StatusLine", L"Edit", ES_MULTILINE | ES_READONLY, 0},
        {"LineEndCombo", L"ComboBox", CBS_DROPDOWNLIST | WS_DISABLED, 0},
        // Not editable: a drop-down with an edit part would take typed values.
        {"BaudCombo", L"ComboBox", CBS_DROPDOWNLIST, WS_DISABLED | CBS_SORT},
        {"DtrDsrCheck", L"Button", BS_AUTOCHECKBOX | BS_LEFTTEXT, 0},
        {"DirectionButton", L"Button", BS_ICON, 0},
        {"ProgramFrame", L"Button", BS_GROUPBOX, WS_TABSTOP},
        // One line even where not centred: a wrapped rest vanishes below the box.
        {"DtrDsrLabel", L"Static", SS_NOPREFIX | SS_LEFTNOWORDWRAP, SS_CENTERIMAGE},
        {"PortLabel", L"Static", SS_CENTERIMAGE | SS_NOPREFIX, 0},
        {"FileList", L"SysListView32", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0},
        {"TransferProgress", L"msctls_progress32", 0, 0},
        {"BottomFrame", L"Static", SS_BLACKFRAME, 0},
        {"ComputerIcon", L"Static", SS_ICON, 0},
    };
    for (const Case& each : cases) {
        const ControlStyle style = controlStyleFor(row(each.control));
        EXPECT_EQ(std::wstring(style.className), each.className) << each.control;
        EXPECT_TRUE(has(style.style, each.present | WS_CHILD | WS_VISIBLE)) << each.control;
        EXPECT_EQ(style.style & each.absent, 0U) << each.control;
    }
}

TEST(ControlStyle, AnOptionMeansNothingToAKindWithoutIt) {
    // ES_CENTER is SS_CENTER; a centred label would move its text.
    const ControlSpec centredLabel{"L",
                                   ControlKind::Label,
                                   Container::Tab0,
                                   0,
                                   0,
                                   9,
                                   9,
                                   "",
                                   option::Centred | option::DigitsOnly};
    EXPECT_EQ(controlStyleFor(centredLabel).style,
              controlStyleFor({"L", ControlKind::Label, Container::Tab0, 0, 0, 9, 9, ""}).style);
    const ControlSpec readOnlyButton{"B",
                                     ControlKind::Button,
                                     Container::Tab0,
                                     0,
                                     0,
                                     9,
                                     9,
                                     "",
                                     option::ReadOnly | option::CaptionRight};
    EXPECT_EQ(controlStyleFor(readOnlyButton).style & (BS_LEFTTEXT | ES_READONLY), 0U);
}

TEST(ControlEvents, EachNotificationCountsOnlyForItsKind) {
    struct Case {
        ControlKind kind;
        unsigned notification;
        std::optional<Trigger> trigger;
    };
    using enum ControlKind;
    const std::vector<Case> cases{
        {Button, BN_CLICKED, Trigger::Click},
        {ImageButton, BN_CLICKED, Trigger::Click},
        {CheckBox, BN_CLICKED, Trigger::Click},
        {TextField, EN_CHANGE, Trigger::Edited},
        {TextField, EN_SETFOCUS, Trigger::FocusGained},
        {TextField, EN_KILLFOCUS, Trigger::FocusLost},
        {DropDown, CBN_SELCHANGE, Trigger::Picked},
        // The same numbers from another class mean something else.
        {Button, CBN_SELCHANGE, std::nullopt}, // BN_PAINT
        {DropDown, BN_CLICKED, std::nullopt},  // CBN_ERRSPACE
        {TextField, BN_CLICKED, std::nullopt},
        {DropDown, CBN_DROPDOWN, std::nullopt}, // opening the list picks nothing
        {Editor, EN_CHANGE, std::nullopt},      // the log and the program are no input
        {Label, BN_CLICKED, std::nullopt},
        {TextField, EN_UPDATE, std::nullopt},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(commandTrigger(each.kind, each.notification), each.trigger)
            << static_cast<int>(each.kind) << " " << each.notification;
    }
}

TEST(ControlEvents, TheFileListReportsClicksOpeningAndOnlyRealSelectionChanges) {
    using enum ControlKind;
    const auto code = [](int value) {
        return static_cast<unsigned>(value);
    };
    EXPECT_EQ(notifyTrigger(FileList, code(NM_CLICK), false), Trigger::ListClicked);
    EXPECT_EQ(notifyTrigger(FileList, code(NM_DBLCLK), false), Trigger::ListOpened);
    EXPECT_EQ(notifyTrigger(FileList, code(NM_RETURN), false), Trigger::ListOpened);
    EXPECT_EQ(notifyTrigger(FileList, code(LVN_ITEMCHANGED), true), Trigger::ListChanged);
    EXPECT_EQ(notifyTrigger(FileList, code(LVN_ITEMCHANGED), false), std::nullopt); // focus only
    EXPECT_EQ(notifyTrigger(FileList, code(LVN_GETDISPINFOW), false), std::nullopt);
    EXPECT_EQ(notifyTrigger(Button, code(NM_CLICK), false), std::nullopt);
}

TEST(ControlEvents, HelpIsTheLastFortyPixelsOfTheWindowWidth) {
    EXPECT_FALSE(isHelpClick(0, WindowWidth));
    EXPECT_FALSE(isHelpClick(WindowWidth - 41, WindowWidth));
    EXPECT_FALSE(isHelpClick(WindowWidth - 40, WindowWidth)); // 627: still the free field
    EXPECT_TRUE(isHelpClick(WindowWidth - 39, WindowWidth));
    EXPECT_TRUE(isHelpClick(WindowWidth - 1, WindowWidth));
}
