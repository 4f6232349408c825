#pragma once

// Where the group headers of a settings document stand, so that selecting a
// group and finding the end of a section need not scan every entry.

#include "profiles/settings_document.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace drovane {

class GroupIndex {
public:
    // Must be called after entries were inserted or removed.
    void rebuild(const std::vector<SettingsEntry>& entries);

    // The first header whose name matches; `name` as stored in the document.
    std::optional<std::size_t> find(std::string_view name) const;
    // The first header at or after `position`.
    std::optional<std::size_t> headerFrom(std::size_t position) const;

private:
    std::vector<std::size_t> headers_;
    std::unordered_map<std::string, std::size_t> firstByName_;
};

} // namespace drovane
