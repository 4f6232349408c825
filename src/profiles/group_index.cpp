#include "profiles/group_index.h"

#include "profiles/settings_text.h"

#include <algorithm>

namespace drovane {

void GroupIndex::rebuild(const std::vector<SettingsEntry>& entries) {
    headers_.clear();
    firstByName_.clear();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == EntryKind::Header) {
            headers_.push_back(i);
            // emplace keeps the first of two equal names.
            firstByName_.emplace(foldedName(entries[i].text), i);
        }
    }
}

std::optional<std::size_t> GroupIndex::find(std::string_view name) const {
    const auto found = firstByName_.find(foldedName(name));
    if (found == firstByName_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::size_t> GroupIndex::headerFrom(std::size_t position) const {
    const auto next = std::ranges::lower_bound(headers_, position);
    if (next == headers_.end()) {
        return std::nullopt;
    }
    return *next;
}

} // namespace drovane
