#pragma once

// The file list without a toolkit: where it looks, what it shows, what is
// selected and what opening an entry does. A front end draws rows() and
// hears of every change through its observer.

#include "window/file_browsing.h"
#include "window/file_entry.h"
#include "window/file_row_text.h"
#include "window/list_location.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace drovane {

class FileBrowserObserver {
public:
    FileBrowserObserver() = default;
    FileBrowserObserver(const FileBrowserObserver&) = delete;
    FileBrowserObserver& operator=(const FileBrowserObserver&) = delete;
    FileBrowserObserver(FileBrowserObserver&&) = delete;
    FileBrowserObserver& operator=(FileBrowserObserver&&) = delete;
    virtual ~FileBrowserObserver() = default;

    // Around every new reading of the listing; the rows are stale in between.
    virtual void listingAboutToChange() = 0;
    virtual void listingChanged() = 0;
    virtual void selectedEntryChanged() = 0;
};

enum class OpenOutcome : std::uint8_t { Nothing, FileOpened, DirectoryChanged };

class FileBrowser final : public FileBrowsing {
public:
    using DriveSource = std::function<std::vector<FileEntry>()>;

    // Shows the drives of this machine with the pattern "*.*".
    FileBrowser();
    explicit FileBrowser(DriveSource drives);

    void pointAt(std::string_view text) override;
    std::string currentDirectory() const override;
    std::string pattern() const override;
    int selectedIndex() const override;
    bool isFileEntry(int index) const override;
    std::string entryName(int index) const override;
    int entryCount() const override;
    void selectEntry(int index) override;

    const ListLocation& location() const { return m_location; }
    // Null outside the entries.
    const FileEntry* entry(int index) const;
    // The column texts, one row per entry.
    std::span<const FileRowText> rows() const { return m_rows; }
    // The first entry of this kind and name; -1 when there is none.
    int rowOf(FileEntry::Kind kind, std::string_view name) const;

    // A double-click or Enter on an entry: a folder, a drive or ".." becomes
    // the current directory (with nothing selected); a file is only reported.
    OpenOutcome open(int index);

    // Reads the location again after a change on disk and keeps the selected
    // entry by name. True when the commands must hear of it: the directory
    // is gone, or the selected entry is.
    bool reread();

    // The first entry from firstIndex on whose text in the column starts with
    // the text, letter case counting; -1 for none.
    int findEntry(std::string_view text, int column, int firstIndex) const;

    // Where the drives view comes from; this machine's drives unless replaced,
    // none for an empty source.
    void setDriveSource(DriveSource drives);
    // Null for none; the observer must outlive its registration.
    void setObserver(FileBrowserObserver* observer) { m_observer = observer; }

private:
    void read(ListLocation location);

    DriveSource m_drives;
    ListLocation m_location;
    std::vector<FileEntry> m_entries;
    std::vector<FileRowText> m_rows;
    int m_selected = -1;
    FileBrowserObserver* m_observer = nullptr;
};

} // namespace drovane
