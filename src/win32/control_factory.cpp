#include "win32/control_factory.h"

#include "win32/control_style.h"
#include "win32/file_list_rows.h"
#include "win32/message_params.h"
#include "win32/picture_icons.h"
#include "win32/wide_text.h"

#include <windows.h>

#include <commctrl.h>

namespace drovane {
namespace {

// How far a drop-down list opens; the control's own box is the list's
// selection field.
constexpr int DropDownHeight = 350;
// A drop-down's selection field is its item height and this frame.
constexpr int DropDownFrame = 6;

int windowHeight(const ControlSpec& spec) {
    return spec.kind == ControlKind::DropDown ? DropDownHeight : spec.height;
}

void setUpDropDown(HWND combo, const ControlSpec& spec) {
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), spec.height - DropDownFrame);
    const auto itemHeight = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
    if (itemHeight > 0) {
        SendMessageW(combo, CB_SETMINVISIBLE, DropDownHeight / itemHeight, 0);
    }
}

void setUp(HWND control, const ControlSpec& spec, HINSTANCE instance) {
    switch (spec.kind) {
    case ControlKind::Editor:
        SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
        break;
    case ControlKind::DropDown:
        setUpDropDown(control, spec);
        break;
    case ControlKind::ImageButton:
        SendMessageW(control, BM_SETIMAGE, IMAGE_ICON,
                     reinterpret_cast<LPARAM>(pictureIcon(instance, spec.picture)));
        break;
    case ControlKind::Image:
        SendMessageW(control, STM_SETICON,
                     reinterpret_cast<WPARAM>(pictureIcon(instance, spec.picture)), 0);
        break;
    case ControlKind::FileList:
        FileListRows::setUpList(control);
        break;
    case ControlKind::ProgressBar:
        SendMessageW(control, PBM_SETRANGE32, 0, 100);
        break;
    case ControlKind::TextField:
    case ControlKind::Label:
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::GroupBox:
    case ControlKind::FlatFrame:
        break;
    }
}

} // namespace

void lowerFrames(std::span<const ControlSpec> specs, std::span<const HWND> controls) {
    for (std::size_t index = 0; index < specs.size() && index < controls.size(); ++index) {
        const ControlKind kind = specs[index].kind;
        if (kind == ControlKind::GroupBox || kind == ControlKind::FlatFrame) {
            SetWindowPos(controls[index], HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

HWND createControl(const ControlSpec& spec, const ControlPlace& place) {
    const ControlStyle style = controlStyleFor(spec);
    const std::wstring text = wideFromUtf8(spec.text);
    HWND control = CreateWindowExW(style.exStyle, style.className, text.c_str(), style.style,
                                   spec.x, spec.y, spec.width, windowHeight(spec), place.container,
                                   fromInteger<HMENU>(static_cast<INT_PTR>(place.id)),
                                   place.instance, nullptr);
    if (control == nullptr) {
        return nullptr;
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(place.font), FALSE);
    setUp(control, spec, place.instance);
    return control;
}

} // namespace drovane
