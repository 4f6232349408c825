#include "window/file_browser.h"

#include "window/directory_listing.h"
#include "window/drive_listing.h"
#include "window/utf8_path.h"

#include <algorithm>
#include <optional>

namespace drovane {
namespace {

bool isDirectory(const std::string& directory) {
    std::error_code error;
    return std::filesystem::is_directory(pathFromUtf8(directory), error);
}

const std::string& columnText(const FileRowText& row, int column) {
    switch (column) {
    case 0:
        return row.name;
    case 1:
        return row.size;
    case 2:
        return row.type;
    default:
        return row.modified;
    }
}

} // namespace

FileBrowser::FileBrowser() : FileBrowser(&listDrives) {}

FileBrowser::FileBrowser(DriveSource drives) : m_drives(std::move(drives)) {
    read(ListLocation{});
}

void FileBrowser::pointAt(std::string_view text) {
    read(applyLocationText(m_location, text));
}

std::string FileBrowser::currentDirectory() const {
    return m_location.directory;
}

std::string FileBrowser::pattern() const {
    return m_location.pattern;
}

int FileBrowser::selectedIndex() const {
    return m_selected;
}

bool FileBrowser::isFileEntry(int index) const {
    const FileEntry* found = entry(index);
    return found != nullptr && found->kind == FileEntry::Kind::File;
}

std::string FileBrowser::entryName(int index) const {
    const FileEntry* found = entry(index);
    return found != nullptr ? found->name : std::string();
}

int FileBrowser::entryCount() const {
    return static_cast<int>(m_entries.size());
}

void FileBrowser::selectEntry(int index) {
    const int next = entry(index) != nullptr ? index : -1;
    if (next == m_selected) {
        return;
    }
    m_selected = next;
    if (m_observer != nullptr) {
        m_observer->selectedEntryChanged();
    }
}

const FileEntry* FileBrowser::entry(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size()) {
        return nullptr;
    }
    return &m_entries[static_cast<std::size_t>(index)];
}

int FileBrowser::rowOf(FileEntry::Kind kind, std::string_view name) const {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const FileEntry& e) {
        return e.kind == kind && e.name == name;
    });
    return found == m_entries.end() ? -1 : static_cast<int>(found - m_entries.begin());
}

OpenOutcome FileBrowser::open(int index) {
    const FileEntry* opened = entry(index);
    if (opened == nullptr) {
        return OpenOutcome::Nothing;
    }
    ListLocation next = m_location;
    switch (opened->kind) {
    case FileEntry::Kind::File:
        return OpenOutcome::FileOpened;
    case FileEntry::Kind::Parent:
        next.directory = parentDirectory(next.directory);
        break;
    case FileEntry::Kind::Drive:
        next.directory = normalizedDirectory(opened->name);
        break;
    case FileEntry::Kind::Folder:
        next.directory = normalizedDirectory(next.directory + opened->name + "/");
        break;
    }
    read(next);
    return OpenOutcome::DirectoryChanged;
}

bool FileBrowser::reread() {
    const std::string directoryBefore = m_location.directory;
    const std::optional<FileEntry> selected =
        entry(m_selected) != nullptr ? std::optional<FileEntry>(*entry(m_selected)) : std::nullopt;
    read(m_location);
    const bool sameDirectory = m_location.directory == directoryBefore;
    const int selectedRow = selected && sameDirectory ? rowOf(selected->kind, selected->name) : -1;
    selectEntry(selectedRow);
    return !sameDirectory || (selected && selectedRow < 0);
}

int FileBrowser::findEntry(std::string_view text, int column, int firstIndex) const {
    for (int i = std::max(0, firstIndex); i < entryCount(); ++i) {
        if (std::string_view(columnText(m_rows[static_cast<std::size_t>(i)], column))
                .starts_with(text)) {
            return i;
        }
    }
    return -1;
}

void FileBrowser::setDriveSource(DriveSource drives) {
    m_drives = std::move(drives);
}

// A directory that is empty or not there shows the drives view, and the
// location's directory becomes empty.
void FileBrowser::read(ListLocation location) {
    if (m_observer != nullptr) {
        m_observer->listingAboutToChange();
    }
    m_location = std::move(location);
    if (!m_location.directory.empty() && !isDirectory(m_location.directory)) {
        m_location.directory.clear();
    }
    if (!m_location.directory.empty()) {
        m_entries = listDirectory(m_location.directory, m_location.pattern);
    } else if (m_drives) {
        m_entries = m_drives();
    } else {
        m_entries.clear();
    }
    m_rows.clear();
    m_rows.reserve(m_entries.size());
    std::transform(m_entries.begin(), m_entries.end(), std::back_inserter(m_rows), &fileRowText);
    const bool hadSelection = m_selected >= 0;
    m_selected = -1;
    if (m_observer != nullptr) {
        m_observer->listingChanged();
        if (hadSelection) {
            m_observer->selectedEntryChanged();
        }
    }
}

} // namespace drovane
