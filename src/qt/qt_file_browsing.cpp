#include "qt/qt_file_browsing.h"

#include "qt/qt_text.h"

namespace drovane {

void QtFileBrowsing::pointAt(std::string_view text) {
    list_.pointAt(qStringFromUtf8(text));
}

std::string QtFileBrowsing::currentDirectory() const {
    return list_.currentDirectory().toStdString();
}

std::string QtFileBrowsing::pattern() const {
    return list_.pattern().toStdString();
}

int QtFileBrowsing::selectedIndex() const {
    return list_.selectedIndex();
}

bool QtFileBrowsing::isFileEntry(int index) const {
    return list_.isFileEntry(index);
}

std::string QtFileBrowsing::entryName(int index) const {
    return list_.entryName(index).toStdString();
}

int QtFileBrowsing::entryCount() const {
    return list_.entryCount();
}

// The list's own search selects, scrolls the entry off the last visible line
// and takes the focus; from its own index on it finds that very entry.
void QtFileBrowsing::selectEntry(int index) {
    if (index < 0) {
        list_.selectEntry(-1);
        return;
    }
    selectListEntry(list_, list_.entryName(index), 0, index);
}

} // namespace drovane
