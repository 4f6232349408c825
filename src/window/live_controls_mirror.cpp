#include "window/live_controls_mirror.h"

#include "core/text.h"

#include <algorithm>
#include <array>
#include <string>

namespace drovane {
namespace {

// Each text and the LiveControls setter that mirrors it.
struct MirroredText {
    std::string_view control;
    void (LiveControls::*set)(std::string);
};

constexpr std::array MirroredTexts{
    MirroredText{"EndCharField", &LiveControls::setEndCharField},
    MirroredText{"FileNameField", &LiveControls::setFileNameField},
    MirroredText{"DirectoryField", &LiveControls::setDirectoryField},
    MirroredText{"PatternField", &LiveControls::setPatternField},
    MirroredText{"ReceiveControlFilterCombo", &LiveControls::setReceiveControlFilterCombo},
};

constexpr std::string_view DtrDsr = "DtrDsrCheck";

constexpr std::array<std::string_view, MirroredTexts.size() + 1> MirroredNames = [] {
    std::array<std::string_view, MirroredTexts.size() + 1> names{};
    for (std::size_t i = 0; i < MirroredTexts.size(); ++i) {
        names[i] = MirroredTexts[i].control;
    }
    names.back() = DtrDsr;
    return names;
}();

} // namespace

std::span<const std::string_view> LiveControlsMirror::controls() {
    return MirroredNames;
}

void LiveControlsMirror::copyAll(const WindowView& view) {
    for (const std::string_view control : MirroredNames) {
        changed(control, view);
    }
}

void LiveControlsMirror::changed(std::string_view control, const WindowView& view) {
    if (control == DtrDsr) {
        live_.setDtrDsrCheck(view.checked(DtrDsr));
        return;
    }
    const auto found = std::ranges::find_if(
        MirroredTexts, [control](const MirroredText& text) { return text.control == control; });
    if (found != MirroredTexts.end()) {
        (live_.*found->set)(windows1252FromUtf8(view.text(control)));
    }
}

} // namespace drovane
