#include "profiles/settings_document.h"

namespace drovane {
namespace {

constexpr std::string_view LineEnd = "\r\n";

void appendEntry(std::string& out, const SettingsEntry& entry) {
    switch (entry.kind) {
    case EntryKind::Header:
        out += '[';
        out += entry.text;
        out += ']';
        break;
    case EntryKind::Comment:
        out += "; ";
        out += entry.text;
        break;
    case EntryKind::Key:
        out += entry.text;
        out += " = ";
        out += entry.value;
        break;
    }
    out += LineEnd;
}

} // namespace

std::string serializeSettings(const SettingsDocument& document) {
    std::size_t size = ByteOrderMark.size() + LineEnd.size();
    for (const SettingsEntry& entry : document.entries) {
        size += entry.text.size() + entry.value.size() + 5;
    }
    std::string out;
    out.reserve(size);
    if (document.utf8) {
        out += ByteOrderMark;
        out += LineEnd;
    }
    for (const SettingsEntry& entry : document.entries) {
        appendEntry(out, entry);
    }
    // An 8-bit file whose first key happens to start with the mark's bytes would
    // be read back in UTF-8 mode with that key cut; a leading blank line keeps
    // the mode and vanishes on reading.
    if (!document.utf8 && out.starts_with(ByteOrderMark)) {
        out.insert(0, LineEnd);
    }
    return out;
}

} // namespace drovane
