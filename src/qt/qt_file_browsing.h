#pragma once

// What the commands need of the file list, over today's Qt FileList.

#include "qt/file_list.h"
#include "window/file_browsing.h"

namespace drovane {

class QtFileBrowsing final : public FileBrowsing {
public:
    explicit QtFileBrowsing(FileList& list) : list_(list) {}

    void pointAt(std::string_view text) override;
    std::string currentDirectory() const override;
    std::string pattern() const override;
    int selectedIndex() const override;
    bool isFileEntry(int index) const override;
    std::string entryName(int index) const override;
    int entryCount() const override;
    void selectEntry(int index) override;

private:
    FileList& list_;
};

} // namespace drovane
