#include "shell/file_list.h"

namespace drovane {

int selectListEntry(FileList& list, const QString& text, int column, int firstIndex) {
    const QAbstractItemModel* model = list.model();
    int found = -1;
    for (int i = std::max(0, firstIndex); i < list.entryCount(); ++i) {
        if (model->index(i, column).data().toString().startsWith(text, Qt::CaseSensitive)) {
            found = i;
            break;
        }
    }
    list.scrollToTop();
    list.makeEntryVisible(found);
    // Keep the entry off the last visible line.
    if (found > list.entriesPerPage() - 1) {
        list.scrollPageDown();
        list.scrollLineUp();
        // At the end of the list the line up can push the entry half out.
        list.makeEntryVisible(found);
    }
    list.selectEntry(found);
    list.setFocus();
    return found;
}

} // namespace drovane
