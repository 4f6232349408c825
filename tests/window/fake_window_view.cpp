#include "fake_window_view.h"

#include "window/control_table.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace drovane::testing {

void FakeWindowView::reset() {
    picture = Mode::Send;
    editor.clear();
    caretAtStart = false;
    editorSelectionClears = 0;
    status.clear();
    statusSelectionClears = 0;
    progressMaximum = 100;
    progressValue = 0;
    statusFields = {};
    fileRows.clear();
    fileRow = -1;
    focus.clear();
    controls_.clear();
    tabTitles_.clear();
    for (const ControlSpec& spec : controlTable()) {
        Control& control = controls_[std::string(spec.name)];
        control.text = spec.text;
        control.dropDown = spec.kind == ControlKind::DropDown;
        control.enabled = (spec.options & option::Disabled) == 0;
    }
    for (const std::string_view title : initialTabTitles()) {
        tabTitles_.emplace_back(title);
    }
}

FakeWindowView::Control& FakeWindowView::control(std::string_view name) {
    const auto found = controls_.find(name);
    if (found == controls_.end()) {
        ADD_FAILURE() << "no control " << name;
        return controls_[std::string(name)];
    }
    return found->second;
}

const FakeWindowView::Control& FakeWindowView::control(std::string_view name) const {
    static const Control none;
    const auto found = controls_.find(name);
    if (found == controls_.end()) {
        ADD_FAILURE() << "no control " << name;
        return none;
    }
    return found->second;
}

std::string FakeWindowView::text(std::string_view name) const {
    const Control& shown = control(name);
    if (!shown.dropDown) {
        return shown.text;
    }
    return shown.selected < 0 ? std::string()
                              : shown.items.at(static_cast<std::size_t>(shown.selected));
}

void FakeWindowView::setText(std::string_view name, std::string_view text) {
    Control& shown = control(name);
    if (!shown.dropDown) {
        shown.text = text;
        return;
    }
    const auto found = std::ranges::find(shown.items, text);
    shown.selected =
        found == shown.items.end() ? -1 : static_cast<int>(found - shown.items.begin());
}

bool FakeWindowView::checked(std::string_view name) const {
    return control(name).checked;
}

void FakeWindowView::setChecked(std::string_view name, bool on) {
    control(name).checked = on;
}

void FakeWindowView::setEnabled(std::string_view name, bool enabled) {
    control(name).enabled = enabled;
}

std::vector<std::string> FakeWindowView::items(std::string_view name) const {
    return control(name).items;
}

void FakeWindowView::setItems(std::string_view name, std::span<const std::string> items) {
    Control& list = control(name);
    list.items.assign(items.begin(), items.end());
    list.selected = -1;
}

int FakeWindowView::selectedItem(std::string_view name) const {
    return control(name).selected;
}

void FakeWindowView::selectItem(std::string_view name, int index) {
    Control& list = control(name);
    EXPECT_LT(index, static_cast<int>(list.items.size())) << name;
    list.selected = index;
}

std::string FakeWindowView::tabTitle(int tab) const {
    return tabTitles_.at(static_cast<std::size_t>(tab));
}

void FakeWindowView::setTabTitle(int tab, std::string_view title) {
    tabTitles_.at(static_cast<std::size_t>(tab)) = title;
}

void FakeWindowView::clearEditor() {
    editor.clear();
    caretAtStart = false;
}

void FakeWindowView::replaceLastStatus(std::string_view line) {
    if (status.empty()) {
        status.emplace_back();
    }
    status.back() = line;
}

void FakeWindowView::setStatusField(int field, std::string_view text) {
    statusFields.at(static_cast<std::size_t>(field)) = text;
}

void FakeWindowView::showFileRows(std::span<const FileRowText> rows) {
    fileRows.assign(rows.begin(), rows.end());
}

void FakeWindowView::pick(std::string_view name, std::string_view entry) {
    Control& list = control(name);
    const auto found = std::ranges::find(list.items, entry);
    ASSERT_NE(found, list.items.end()) << name << ": " << entry;
    list.selected = static_cast<int>(found - list.items.begin());
}

} // namespace drovane::testing
