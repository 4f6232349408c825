#pragma once
// What the commands ask of the file list: where it looks and what is selected.
// Paths are UTF-8 with "/" on Linux and "\" on Windows; either is accepted in
// a text the program points the list at.
#include <string>
#include <string_view>

namespace drovane {

class FileBrowsing {
public:
    FileBrowsing() = default;
    FileBrowsing(const FileBrowsing&) = delete;
    FileBrowsing& operator=(const FileBrowsing&) = delete;
    FileBrowsing(FileBrowsing&&) = delete;
    FileBrowsing& operator=(FileBrowsing&&) = delete;
    virtual ~FileBrowsing() = default;

    // (a) a text without a separator replaces the pattern; (b) a text ending
    // in one replaces the directory; (c) anything else sets both. The empty
    // text is the drives view. Reads the listing anew and selects nothing.
    virtual void pointAt(std::string_view text) = 0;
    // Ends in a separator; empty while the drives view shows.
    virtual std::string currentDirectory() const = 0;
    virtual std::string pattern() const = 0;
    virtual int selectedIndex() const = 0; // -1 for none
    virtual bool isFileEntry(int index) const = 0;
    virtual std::string entryName(int index) const = 0;
    virtual int entryCount() const = 0;
    virtual void selectEntry(int index) = 0; // -1 clears
};

} // namespace drovane
