#pragma once

// The program's only persistent store: an INI-style file of top-level keys and
// one group per machine, read whole on open and written back whole on close.
// Every text across this interface is 8-bit Windows-1252; a file in UTF-8 mode
// is converted where text enters or leaves the document.

#include "core/atomic_file.h"
#include "profiles/group_index.h"
#include "profiles/settings_document.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace drovane {

class SettingsFile {
public:
    // `writeCall` replaces the system write when the file is written back, so
    // that tests can make the disk fail.
    explicit SettingsFile(WriteCall writeCall = nullptr);
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;
    ~SettingsFile();

    // False when the file could not be read; the document is then empty.
    bool open(const std::filesystem::path& path);
    // False when the group does not exist: it is then pending and comes into
    // being with the first write.
    bool selectGroup(std::string_view name);
    std::string readValue(std::string_view key, std::string_view defaultValue);
    void writeValue(std::string_view key, std::string_view value);
    void addComment(std::string_view text);

    void beginGroupListing();
    // Moves to the next group header, duplicates included, and makes it current.
    bool nextGroup();
    std::string currentGroupName() const;
    // Whether currentGroupName() names this group again: false in UTF-8 mode
    // for a stored name that is no valid UTF-8 or holds characters beyond
    // Windows-1252, whose decoded name would select another group or none.
    bool currentGroupNameDecodes() const;

    void removeGroup(std::string_view name);

    // Writes the document back if it was changed; false when that failed, the
    // old file then being left whole.
    bool close();
    bool lastWriteFailed() const { return lastWriteFailed_; }

private:
    struct Section {
        std::size_t begin;
        std::size_t end;
    };

    std::string toDocument(std::string_view text) const;
    std::string toProgram(std::string_view text) const;
    const GroupIndex& groups();
    Section currentSection();
    std::optional<std::size_t> findKey(std::string_view documentKey);
    void createPendingGroup();
    void makeCurrent(std::optional<std::size_t> header);
    void insertEntry(std::size_t position, SettingsEntry entry);
    void eraseEntries(std::size_t begin, std::size_t end);
    bool writeBack() const;
    void reset();

    WriteCall writeCall_;
    std::filesystem::path path_;
    SettingsDocument document_;
    bool isOpen_ = false;
    bool modified_ = false;
    bool lastWriteFailed_ = false;
    // Header of the current group; none for the top level.
    std::optional<std::size_t> current_;
    // Entry a new comment goes below; none for the beginning of the document.
    std::optional<std::size_t> insertionPoint_;
    // Header the group listing stands on; none before the first.
    std::optional<std::size_t> cursor_;
    // A selected group that does not exist yet, in document encoding.
    std::optional<std::string> pending_;
    GroupIndex groups_;
    bool groupsStale_ = true;
};

} // namespace drovane
