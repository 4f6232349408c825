#pragma once

// The settings file as a list of entries, bytes kept as they stand in the file,
// and the two conversions between that list and the file's bytes.

#include <string>
#include <string_view>
#include <vector>

namespace drovane {

enum class EntryKind { Header, Comment, Key };

struct SettingsEntry {
    EntryKind kind = EntryKind::Key;
    // The group name, the comment text or the key.
    std::string text;
    // Only key lines carry a value.
    std::string value;

    bool operator==(const SettingsEntry&) const = default;
};

struct SettingsDocument {
    // Set when the file starts with the UTF-8 byte-order mark.
    bool utf8 = false;
    std::vector<SettingsEntry> entries;

    bool operator==(const SettingsDocument&) const = default;
};

inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

SettingsDocument parseSettings(std::string_view bytes);

// Normalised form: "[name]", "; text", "key = value", every line ended by CR LF.
std::string serializeSettings(const SettingsDocument& document);

} // namespace drovane
