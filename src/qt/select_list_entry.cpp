#include "qt/file_list.h"
#include "window/list_paging.h"

namespace drovane {

int selectListEntry(FileList& list, const QString& text, int column, int firstIndex) {
    const int found = list.browser().findEntry(text.toStdString(), column, firstIndex);
    list.showFromRow(firstShownRow(found, list.entriesPerPage(), list.entryCount()));
    list.makeEntryVisible(found);
    list.selectEntry(found);
    list.setFocus();
    return found;
}

} // namespace drovane
