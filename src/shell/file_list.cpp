#include "shell/file_list.h"

#include "window/file_list_columns.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace drovane {
namespace {

// Bursts of changes on disk (a copy of many files) cost one re-read.
constexpr int refreshDelayMs = 100;

} // namespace

FileList::FileList(QWidget* parent) : QTreeView(parent) {
    setModel(&m_model);
    configureLook();
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_quiet) {
            emit changed();
        }
    });
    m_refreshDelay.setSingleShot(true);
    m_refreshDelay.setInterval(refreshDelayMs);
    connect(&m_refreshDelay, &QTimer::timeout, this, &FileList::refreshFromDisk);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_refreshDelay,
            qOverload<>(&QTimer::start));
    readLocation(ListLocation{});
}

// The model is a member and goes before the view's base; let go of it first.
FileList::~FileList() {
    const QScopedValueRollback quiet(m_quiet, true);
    setModel(nullptr);
}

void FileList::configureLook() {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    for (std::size_t column = 0; column < fileListColumns.size(); ++column) {
        header()->resizeSection(static_cast<int>(column), fileListColumns[column].width);
    }
    // The selection stays as visible as with the focus when the list loses it.
    QPalette colours = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);
}

void FileList::pointAt(const QString& text) {
    readLocation(applyLocationText(m_model.location(), text));
}

QString FileList::currentDirectory() const {
    return m_model.location().directory;
}

QString FileList::pattern() const {
    return m_model.location().pattern;
}

void FileList::readLocation(const ListLocation& location) {
    {
        const QScopedValueRollback quiet(m_quiet, true);
        m_model.read(location);
        selectionModel()->setCurrentIndex(m_model.index(0, 0), QItemSelectionModel::NoUpdate);
    }
    QTreeView::scrollToTop();
    if (!m_watcher.directories().isEmpty()) {
        m_watcher.removePaths(m_watcher.directories());
    }
    if (!currentDirectory().isEmpty()) {
        m_watcher.addPath(currentDirectory());
    }
}

// Keeps the selected and the current row by name across a re-read; losing
// the selection, or the directory itself, is reported as a change.
void FileList::refreshFromDisk() {
    const QString directoryBefore = currentDirectory();
    const std::optional<FileEntry> selected = entryCopy(selectedIndex());
    const std::optional<FileEntry> current = entryCopy(currentIndex().row());
    const int scrolled = verticalScrollBar()->value();

    readLocation(m_model.location());

    const bool sameDirectory = currentDirectory() == directoryBefore;
    const int selectedRow =
        selected && sameDirectory ? m_model.rowOf(selected->kind, selected->name) : -1;
    const int currentRow =
        current && sameDirectory ? m_model.rowOf(current->kind, current->name) : -1;
    {
        const QScopedValueRollback quiet(m_quiet, true);
        selectEntry(selectedRow);
        if (selectedRow < 0) {
            selectionModel()->setCurrentIndex(m_model.index(std::max(0, currentRow), 0),
                                              QItemSelectionModel::NoUpdate);
        }
    }
    if (sameDirectory) {
        verticalScrollBar()->setValue(scrolled);
    }
    if (!sameDirectory || (selected && selectedRow < 0)) {
        emit changed();
    }
}

std::optional<FileEntry> FileList::entryCopy(int index) const {
    const FileEntry* entry = m_model.entry(index);
    return entry != nullptr ? std::optional<FileEntry>(*entry) : std::nullopt;
}

int FileList::selectedIndex() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

bool FileList::isFileEntry(int index) const {
    const FileEntry* entry = m_model.entry(index);
    return entry != nullptr && entry->kind == FileEntry::Kind::File;
}

QString FileList::entryName(int index) const {
    const FileEntry* entry = m_model.entry(index);
    return entry != nullptr ? entry->name : QString();
}

int FileList::entryCount() const {
    return m_model.rowCount();
}

void FileList::selectEntry(int index) {
    const QModelIndex row = m_model.index(index, 0);
    if (!row.isValid()) {
        selectionModel()->clearSelection();
        return;
    }
    // Selecting does not scroll; the program asks for that separately.
    const bool autoScrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect |
                                               QItemSelectionModel::Rows);
    setAutoScroll(autoScrolls);
}

void FileList::makeEntryVisible(int index) {
    const QModelIndex row = m_model.index(index, 0);
    if (row.isValid()) {
        scrollTo(row, QAbstractItemView::EnsureVisible);
    }
}

void FileList::scrollPageDown() {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
}

void FileList::scrollLineUp() {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
}

int FileList::entriesPerPage() const {
    const QModelIndex first = m_model.index(0, 0);
    int height = first.isValid() ? rowHeight(first) : 0;
    if (height <= 0) {
        height = std::max(1, fontMetrics().height());
    }
    return viewport()->height() / height;
}

void FileList::openEntry(int index) {
    const FileEntry* entry = m_model.entry(index);
    if (entry == nullptr) {
        return;
    }
    ListLocation next = m_model.location();
    switch (entry->kind) {
    case FileEntry::Kind::File:
        emit fileOpened();
        return;
    case FileEntry::Kind::Parent:
        next.directory = parentDirectory(next.directory);
        break;
    case FileEntry::Kind::Drive:
        next.directory = entry->name;
        break;
    case FileEntry::Kind::Folder:
        next.directory = next.directory + entry->name + u'/';
        break;
    }
    readLocation(next);
    emit changed();
}

void FileList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openEntry(selectedIndex());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void FileList::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        // What is opened is what is selected, whatever the presses did before.
        selectEntry(index.row());
        openEntry(index.row());
        event->accept();
        return;
    }
    QTreeView::mouseDoubleClickEvent(event);
}

void FileList::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const {
    QTreeView::drawRow(painter, option, index);
    const QColor grid(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    const QPen before = painter->pen();
    painter->setPen(grid);
    const QRect& row = option.rect;
    painter->drawLine(row.left(), row.bottom(), row.right(), row.bottom());
    for (int column = 0; column < header()->count(); ++column) {
        const int right =
            header()->sectionViewportPosition(column) + header()->sectionSize(column) - 1;
        painter->drawLine(right, row.top(), right, row.bottom());
    }
    painter->setPen(before);
}

} // namespace drovane
