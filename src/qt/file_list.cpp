#include "qt/file_list.h"

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
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileList::viewSelectionChanged);
    m_refreshDelay.setSingleShot(true);
    m_refreshDelay.setInterval(refreshDelayMs);
    connect(&m_refreshDelay, &QTimer::timeout, this, &FileList::refreshFromDisk);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_refreshDelay,
            qOverload<>(&QTimer::start));
    m_browser.setObserver(this);
    m_browser.pointAt("");
}

// The model is a member and goes before the view's base; let go of it first.
FileList::~FileList() {
    m_browser.setObserver(nullptr);
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
    m_browser.pointAt(text.toStdString());
}

QString FileList::currentDirectory() const {
    return QString::fromStdString(m_browser.currentDirectory());
}

QString FileList::pattern() const {
    return QString::fromStdString(m_browser.pattern());
}

void FileList::listingAboutToChange() {
    m_quietBeforeReading = m_quiet;
    m_quiet = true;
    m_model.beginReading();
}

void FileList::listingChanged() {
    m_model.endReading();
    selectionModel()->setCurrentIndex(m_model.index(0, 0), QItemSelectionModel::NoUpdate);
    m_quiet = m_quietBeforeReading;
    QTreeView::scrollToTop();
    if (!m_watcher.directories().isEmpty()) {
        m_watcher.removePaths(m_watcher.directories());
    }
    if (!currentDirectory().isEmpty()) {
        m_watcher.addPath(currentDirectory());
    }
}

// The browser's selection moved (the program chose an entry): show it.
void FileList::selectedEntryChanged() {
    if (m_fromView) {
        return;
    }
    const QModelIndex row = m_model.index(m_browser.selectedIndex(), 0);
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

// The view's selection moved (the operator, or the line above): tell the
// browser, then the commands.
void FileList::viewSelectionChanged() {
    {
        const QScopedValueRollback fromView(m_fromView, true);
        m_browser.selectEntry(viewSelectedRow());
    }
    if (!m_quiet) {
        emit changed();
    }
}

int FileList::viewSelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

// Keeps the current row and the scroll position across a re-read; the
// browser keeps the selection and says whether the commands must hear of it.
void FileList::refreshFromDisk() {
    const std::string directoryBefore = m_browser.currentDirectory();
    const FileEntry* current = m_browser.entry(currentIndex().row());
    const std::optional<FileEntry> currentEntry =
        current != nullptr ? std::optional<FileEntry>(*current) : std::nullopt;
    const int scrolled = verticalScrollBar()->value();

    bool report = false;
    {
        const QScopedValueRollback quiet(m_quiet, true);
        report = m_browser.reread();
        const bool sameDirectory = m_browser.currentDirectory() == directoryBefore;
        const int currentRow = currentEntry && sameDirectory
                                   ? m_browser.rowOf(currentEntry->kind, currentEntry->name)
                                   : -1;
        if (m_browser.selectedIndex() < 0) {
            selectionModel()->setCurrentIndex(m_model.index(std::max(0, currentRow), 0),
                                              QItemSelectionModel::NoUpdate);
        }
        if (sameDirectory) {
            verticalScrollBar()->setValue(scrolled);
        }
    }
    if (report) {
        emit changed();
    }
}

int FileList::selectedIndex() const {
    return m_browser.selectedIndex();
}

bool FileList::isFileEntry(int index) const {
    return m_browser.isFileEntry(index);
}

QString FileList::entryName(int index) const {
    return QString::fromStdString(m_browser.entryName(index));
}

int FileList::entryCount() const {
    return m_browser.entryCount();
}

void FileList::selectEntry(int index) {
    m_browser.selectEntry(index);
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

// Scrolling is by whole rows, so the scroll value is the top row.
void FileList::showFromRow(int row) {
    verticalScrollBar()->setValue(row);
}

void FileList::openEntry(int index) {
    switch (m_browser.open(index)) {
    case OpenOutcome::Nothing:
        return;
    case OpenOutcome::FileOpened:
        emit fileOpened();
        return;
    case OpenOutcome::DirectoryChanged:
        emit changed();
        return;
    }
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
