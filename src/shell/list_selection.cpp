#include "shell/list_selection.h"

namespace drovane {

void setListText(QComboBox& list, const QString& text) {
    if (text.isEmpty()) {
        list.setCurrentIndex(-1);
        return;
    }
    for (int i = 0; i < list.count(); ++i) {
        if (list.itemText(i).compare(text, Qt::CaseInsensitive) == 0) {
            list.setCurrentIndex(i);
            return;
        }
    }
}

void setExtendedListText(QComboBox& list, const QString& text) {
    if (text.isEmpty()) {
        list.setCurrentIndex(-1);
        return;
    }
    int found = list.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found < 0) {
        list.insertItem(0, text);
        found = 0;
    }
    list.setCurrentIndex(found);
}

QString listText(const QComboBox& list) {
    return list.currentIndex() < 0 ? QString() : list.currentText();
}

} // namespace drovane
