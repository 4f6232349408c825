#include "win32/control_style.h"

#include "win32/program_text_view.h"

#include <windows.h>

#include <array>
#include <commctrl.h>
#include <optional>

namespace drovane {
namespace {

using enum ControlKind;

constexpr DWORD Child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

struct KindStyle {
    ControlKind kind;
    ControlStyle style;
};

constexpr std::array kindStyles{
    KindStyle{TextField, {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE}},
    // Labels are single lines, vertically centred in their box unless told
    // otherwise; a wrapped second line would vanish below the box.
    KindStyle{Label, {WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_CENTERIMAGE, 0}},
    KindStyle{DropDown, {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0}},
    KindStyle{Button, {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0}},
    KindStyle{ImageButton, {WC_BUTTONW, BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, 0}},
    KindStyle{CheckBox, {WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0}},
    KindStyle{
        Editor,
        {WC_EDITW,
         ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
         WS_EX_CLIENTEDGE}},
    // The rows live in the window, not in the control: a large folder costs
    // no item copies.
    KindStyle{FileList,
              {WC_LISTVIEWW,
               LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_OWNERDATA | WS_TABSTOP,
               WS_EX_CLIENTEDGE}},
    KindStyle{GroupBox, {WC_BUTTONW, BS_GROUPBOX, 0}},
    KindStyle{FlatFrame, {WC_STATICW, SS_BLACKFRAME, 0}},
    KindStyle{Image, {WC_STATICW, SS_ICON, 0}},
    KindStyle{ProgressBar, {PROGRESS_CLASSW, 0, 0}},
};

// The program editor is our own control: the system's edit control reworks its
// whole text on each insertion and stalls on a long program.
struct NamedStyle {
    std::string_view name;
    ControlStyle style;
};

constexpr std::array namedStyles{
    NamedStyle{"ProgramEditor",
               {ProgramTextViewClass, WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE}},
};

// An option means a style only for the kinds that have it; the same bits mean
// something else in another class (ES_CENTER is SS_CENTER is BS_...).
struct OptionStyle {
    unsigned option = 0;
    std::optional<ControlKind> kind; // any kind when empty
    DWORD set = 0;
    DWORD cleared = 0;
};

constexpr std::array optionStyles{
    OptionStyle{option::ReadOnly, TextField, ES_READONLY, 0},
    OptionStyle{option::ReadOnly, Editor, ES_READONLY, 0},
    OptionStyle{option::DigitsOnly, TextField, ES_NUMBER, 0},
    OptionStyle{option::Centred, TextField, ES_CENTER, 0},
    OptionStyle{option::ThinBorder, std::nullopt, WS_BORDER, 0},
    OptionStyle{option::Disabled, std::nullopt, WS_DISABLED, 0},
    OptionStyle{option::TopAligned, Label, 0, SS_CENTERIMAGE},
    OptionStyle{option::CaptionRight, CheckBox, BS_LEFTTEXT | BS_RIGHT, 0},
};

} // namespace

ControlStyle controlStyleFor(const ControlSpec& spec) {
    ControlStyle result{WC_STATICW, 0, 0};
    for (const KindStyle& row : kindStyles) {
        if (row.kind == spec.kind) {
            result = row.style;
        }
    }
    for (const NamedStyle& row : namedStyles) {
        if (row.name == spec.name) {
            return {row.style.className, row.style.style | Child, row.style.exStyle};
        }
    }
    result.style |= Child;
    for (const OptionStyle& row : optionStyles) {
        const bool applies =
            (spec.options & row.option) != 0 && (!row.kind.has_value() || *row.kind == spec.kind);
        if (applies) {
            result.style = (result.style | row.set) & ~row.cleared;
        }
    }
    return result;
}

} // namespace drovane
