#pragma once

// How a drop-down list of the settings tab takes a stored text and gives it
// back.

#include <QComboBox>
#include <QString>

namespace drovane {

// A fixed list: an empty text clears the selection; otherwise the first entry
// equal without regard to letter case is selected, and with none the
// selection stays as it was.
void setListText(QComboBox& list, const QString& text);

// A list that grows from the file (port, buffer sizes): an empty text clears
// the selection; otherwise the first entry equal letter for letter is
// selected, or the text becomes the new first entry and is selected.
void setExtendedListText(QComboBox& list, const QString& text);

// The selected entry, or "" with none.
QString listText(const QComboBox& list);

} // namespace drovane
