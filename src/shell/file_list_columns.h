#pragma once

#include <QStringView>
#include <Qt>
#include <array>

namespace drovane {

// The four columns of the file list, in order, with the titles the German
// desktop uses and the widths the window's layout is drawn for.
struct FileListColumn {
    QStringView title;
    int width;
    Qt::Alignment alignment;
};

inline constexpr std::array<FileListColumn, 4> fileListColumns = {{
    {u"Name", 331, Qt::AlignLeft | Qt::AlignVCenter},
    {u"Größe", 50, Qt::AlignRight | Qt::AlignVCenter},
    {u"Typ", 60, Qt::AlignLeft | Qt::AlignVCenter},
    {u"Änderungsdatum", 119, Qt::AlignLeft | Qt::AlignVCenter},
}};

} // namespace drovane
