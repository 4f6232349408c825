#include "window/list_selection.h"

#include "profiles/settings_text.h"

#include <algorithm>
#include <vector>

namespace drovane {

// The fixed lists hold ASCII entries only, so folding A-Z is all the letter
// case there is to ignore.
void setListText(WindowView& view, std::string_view list, std::string_view text) {
    if (text.empty()) {
        view.selectItem(list, -1);
        return;
    }
    const std::vector<std::string> entries = view.items(list);
    const auto found = std::ranges::find_if(
        entries, [text](const std::string& entry) { return sameName(entry, text); });
    if (found != entries.end()) {
        view.selectItem(list, static_cast<int>(found - entries.begin()));
    }
}

void setExtendedListText(WindowView& view, std::string_view list, std::string_view text) {
    if (text.empty()) {
        view.selectItem(list, -1);
        return;
    }
    std::vector<std::string> entries = view.items(list);
    auto found = std::ranges::find(entries, text);
    if (found == entries.end()) {
        entries.insert(entries.begin(), std::string(text));
        view.setItems(list, entries);
        found = entries.begin();
    }
    view.selectItem(list, static_cast<int>(found - entries.begin()));
}

std::string listText(const WindowView& view, std::string_view list) {
    return view.selectedItem(list) < 0 ? std::string() : view.text(list);
}

} // namespace drovane
