#pragma once

// A file list over a real folder, without a window: ".." first, then the
// folders, then the files the pattern matches, each group sorted by name.

#include "window/file_browsing.h"

#include <string>
#include <vector>

namespace drovane::testing {

class FakeFileBrowsing final : public FileBrowsing {
public:
    void pointAt(std::string_view text) override;
    std::string currentDirectory() const override { return directory_; }
    std::string pattern() const override { return pattern_; }
    int selectedIndex() const override { return selected_; }
    bool isFileEntry(int index) const override;
    std::string entryName(int index) const override;
    int entryCount() const override { return static_cast<int>(entries_.size()); }
    void selectEntry(int index) override { selected_ = index; }

    // The names of the file entries, in order.
    std::vector<std::string> files() const;
    // Selects the entry of that name; -1 and a failure without one.
    int select(std::string_view name);

private:
    struct Entry {
        std::string name;
        bool file = false;
    };
    void read();

    std::string directory_;
    std::string pattern_ = "*.*";
    std::vector<Entry> entries_;
    int selected_ = -1;
};

} // namespace drovane::testing
