#include "shell/file_list.h"

#include <QDir>
#include <QKeyEvent>
#include <QScrollBar>

namespace drovane {
namespace {
constexpr int FileRole = Qt::UserRole + 1;
}

FileList::FileList(QWidget* parent) : QTreeView(parent) {
    setModel(&model_);
    setRootIsDecorated(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeView::doubleClicked, this, &FileList::open);
    reload();
}

void FileList::pointAt(const QString& text) {
    const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) {
        pattern_ = text;
    } else {
        directory_ = text.left(slash + 1);
        if (slash + 1 < text.size()) {
            pattern_ = text.mid(slash + 1);
        }
    }
    reload();
}

void FileList::reload() {
    model_.clear();
    model_.setHorizontalHeaderLabels({tr("Name"), tr("Größe"), tr("Typ"), tr("Änderungsdatum")});
    auto addRow = [this](const QString& name, bool file) {
        auto* item = new QStandardItem(name); // the model owns its items
        item->setData(file, FileRole);
        model_.appendRow(item);
    };
    if (directory_.isEmpty()) {
        addRow(QStringLiteral("/"), false);
    } else {
        addRow(QStringLiteral(".."), false);
        const QDir dir(directory_);
        for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            addRow(name, false);
        }
        const QStringList files =
            dir.entryList({pattern_ == QLatin1String("*.") ? QStringLiteral("*") : pattern_},
                          QDir::Files | QDir::Hidden, QDir::Name);
        for (const QString& name : files) {
            if (pattern_ == QLatin1String("*.") && name.contains(QLatin1Char('.'))) {
                continue;
            }
            addRow(name, true);
        }
    }
    if (selectionModel() != nullptr) {
        connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FileList::changed,
                Qt::UniqueConnection);
    }
}

void FileList::open(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    if (isFileEntry(index.row())) {
        emit fileOpened();
        return;
    }
    const QString name = entryName(index.row());
    if (directory_.isEmpty()) {
        directory_ = name;
    } else if (name == QLatin1String("..")) {
        QDir up(directory_);
        directory_ = up.cdUp() ? up.absolutePath() : QString();
        if (!directory_.isEmpty() && !directory_.endsWith(QLatin1Char('/'))) {
            directory_ += QLatin1Char('/');
        }
    } else {
        directory_ += name + QLatin1Char('/');
    }
    reload();
    emit changed();
}

void FileList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentIndex());
        return;
    }
    QTreeView::keyPressEvent(event);
}

QString FileList::currentDirectory() const {
    return directory_;
}
QString FileList::pattern() const {
    return pattern_;
}
int FileList::selectedIndex() const {
    const auto rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}
bool FileList::isFileEntry(int index) const {
    return index >= 0 && index < entryCount() && model_.item(index)->data(FileRole).toBool();
}
QString FileList::entryName(int index) const {
    return index >= 0 && index < entryCount() ? model_.item(index)->text() : QString();
}
int FileList::entryCount() const {
    return model_.rowCount();
}
void FileList::selectEntry(int index) {
    if (index >= 0 && index < entryCount()) {
        setCurrentIndex(model_.index(index, 0));
    }
}
void FileList::makeEntryVisible(int index) {
    if (index >= 0 && index < entryCount()) {
        scrollTo(model_.index(index, 0));
    }
}
void FileList::scrollToTop() {
    QTreeView::scrollToTop();
}
void FileList::scrollPageDown() {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
}
void FileList::scrollLineUp() {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
}
int FileList::entriesPerPage() const {
    const int row = sizeHintForRow(0);
    return row > 0 ? viewport()->height() / row : 1;
}

int selectListEntry(FileList& list, const QString& text, int column, int firstIndex) {
    (void)column;
    int found = -1;
    for (int i = firstIndex; i < list.entryCount(); ++i) {
        if (list.entryName(i).startsWith(text, Qt::CaseSensitive)) {
            found = i;
            break;
        }
    }
    list.scrollToTop();
    list.makeEntryVisible(found);
    if (found > list.entriesPerPage() - 1) {
        list.scrollPageDown();
        list.scrollLineUp();
    }
    list.selectEntry(found);
    list.setFocus();
    return found;
}

} // namespace drovane
