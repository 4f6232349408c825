#include "profiles/settings_file.h"

#include "profiles/settings_storage.h"
#include "profiles/settings_text.h"

#include <utility>

namespace drovane {
namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Keeps a stored position pointing at the same entry after an insertion.
void shiftForInsert(std::optional<std::size_t>& position, std::size_t inserted) {
    if (position && *position >= inserted) {
        ++*position;
    }
}

} // namespace

SettingsFile::SettingsFile(WriteCall writeCall) : writeCall_(writeCall) {}

SettingsFile::~SettingsFile() {
    close();
}

bool SettingsFile::open(const std::filesystem::path& path) {
    close();
    StoredSettings stored = readStoredSettings(path);
    document_ = parseSettings(stored.bytes);
    path_ = path;
    isOpen_ = true;
    return stored.found;
}

bool SettingsFile::selectGroup(std::string_view name) {
    pending_.reset();
    if (name.empty()) {
        makeCurrent(std::nullopt);
        return true;
    }
    std::string documentName = toDocument(name);
    const auto header = groups().find(documentName);
    if (!header) {
        if (isOpen_) {
            pending_ = std::move(documentName);
        }
        return false;
    }
    makeCurrent(header);
    return true;
}

std::string SettingsFile::readValue(std::string_view key, std::string_view defaultValue) {
    if (pending_) {
        return std::string(defaultValue);
    }
    const auto line = findKey(toDocument(key));
    if (!line) {
        return std::string(defaultValue);
    }
    return toProgram(trimBlanks(document_.entries[*line].value));
}

void SettingsFile::writeValue(std::string_view key, std::string_view value) {
    if (!isOpen_) {
        return;
    }
    createPendingGroup();
    std::string documentKey = toDocument(key);
    std::string documentValue = toDocument(value);
    modified_ = true;
    if (const auto line = findKey(documentKey)) {
        SettingsEntry& entry = document_.entries[*line];
        entry.text = std::move(documentKey);
        entry.value = std::move(documentValue);
        insertionPoint_ = line;
        return;
    }
    const std::size_t position = currentSection().end;
    insertEntry(position, {EntryKind::Key, std::move(documentKey), std::move(documentValue)});
    insertionPoint_ = position;
}

void SettingsFile::addComment(std::string_view text) {
    if (!isOpen_) {
        return;
    }
    createPendingGroup();
    const std::size_t position = insertionPoint_ ? *insertionPoint_ + 1 : 0;
    insertEntry(position, {EntryKind::Comment, toDocument(text), {}});
    insertionPoint_ = position;
    modified_ = true;
}

void SettingsFile::beginGroupListing() {
    cursor_.reset();
}

bool SettingsFile::nextGroup() {
    const std::size_t from = cursor_ ? *cursor_ + 1 : 0;
    const auto header = groups().headerFrom(from);
    if (!header) {
        cursor_ = document_.entries.size();
        return false;
    }
    pending_.reset();
    cursor_ = header;
    makeCurrent(header);
    return true;
}

std::string SettingsFile::currentGroupName() const {
    if (!current_) {
        return {};
    }
    return toProgram(document_.entries[*current_].text);
}

bool SettingsFile::currentGroupNameDecodes() const {
    if (!current_) {
        return false;
    }
    const std::string& stored = document_.entries[*current_].text;
    return toDocument(toProgram(stored)) == stored;
}

void SettingsFile::removeGroup(std::string_view name) {
    const auto header = groups().find(toDocument(name));
    if (!header) {
        return;
    }
    const auto next = groups().headerFrom(*header + 1);
    eraseEntries(*header, next.value_or(document_.entries.size()));
    modified_ = true;
}

bool SettingsFile::close() {
    if (!isOpen_) {
        return true;
    }
    lastWriteFailed_ = modified_ && !writeBack();
    reset();
    return !lastWriteFailed_;
}

std::string SettingsFile::toDocument(std::string_view text) const {
    return document_.utf8 ? utf8FromLatin1(singleLine(text)) : singleLine(text);
}

std::string SettingsFile::toProgram(std::string_view text) const {
    return document_.utf8 ? latin1FromUtf8(text) : std::string(text);
}

const GroupIndex& SettingsFile::groups() {
    if (groupsStale_) {
        groups_.rebuild(document_.entries);
        groupsStale_ = false;
    }
    return groups_;
}

SettingsFile::Section SettingsFile::currentSection() {
    const std::size_t begin = current_ ? *current_ + 1 : 0;
    const auto next = groups().headerFrom(begin);
    return {begin, next.value_or(document_.entries.size())};
}

std::optional<std::size_t> SettingsFile::findKey(std::string_view documentKey) {
    const Section section = currentSection();
    for (std::size_t i = section.begin; i < section.end; ++i) {
        const SettingsEntry& entry = document_.entries[i];
        if (entry.kind == EntryKind::Key && sameName(entry.text, documentKey)) {
            return i;
        }
    }
    return std::nullopt;
}

void SettingsFile::createPendingGroup() {
    if (!pending_) {
        return;
    }
    const std::size_t position = document_.entries.size();
    insertEntry(position, {EntryKind::Header, std::move(*pending_), {}});
    pending_.reset();
    makeCurrent(position);
}

void SettingsFile::makeCurrent(std::optional<std::size_t> header) {
    current_ = header;
    insertionPoint_ = header;
}

void SettingsFile::insertEntry(std::size_t position, SettingsEntry entry) {
    document_.entries.insert(document_.entries.begin() + static_cast<std::ptrdiff_t>(position),
                             std::move(entry));
    shiftForInsert(current_, position);
    shiftForInsert(insertionPoint_, position);
    shiftForInsert(cursor_, position);
    groupsStale_ = true;
}

void SettingsFile::eraseEntries(std::size_t begin, std::size_t end) {
    auto& entries = document_.entries;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(begin),
                  entries.begin() + static_cast<std::ptrdiff_t>(end));
    const std::size_t removed = end - begin;
    const auto inRemoved = [&](const std::optional<std::size_t>& p) {
        return p && *p >= begin && *p < end;
    };
    if (inRemoved(current_) || inRemoved(insertionPoint_)) {
        makeCurrent(std::nullopt);
    }
    // A listing standing on the removed group goes on with the one after it.
    if (inRemoved(cursor_)) {
        cursor_ = begin == 0 ? std::nullopt : std::optional<std::size_t>(begin - 1);
    }
    for (auto* position : {&current_, &insertionPoint_, &cursor_}) {
        if (*position && **position >= end) {
            **position -= removed;
        }
    }
    groupsStale_ = true;
}

bool SettingsFile::writeBack() const {
    const auto target = replaceableSettingsFile(path_);
    return target && writeFileAtomically(*target, serializeSettings(document_), writeCall_);
}

void SettingsFile::reset() {
    document_ = {};
    isOpen_ = false;
    modified_ = false;
    current_.reset();
    insertionPoint_.reset();
    cursor_.reset();
    pending_.reset();
    groupsStale_ = true;
}

} // namespace drovane
