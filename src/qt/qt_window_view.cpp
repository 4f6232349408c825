#include "qt/qt_window_view.h"

#include "qt/program_text_widget.h"
#include "qt/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QTextCursor>

namespace drovane {
namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

void dropSelection(QPlainTextEdit& editor) {
    QTextCursor cursor = editor.textCursor();
    cursor.clearSelection();
    editor.setTextCursor(cursor);
}

} // namespace

QWidget* QtWindowView::widget(std::string_view control) const {
    if (control == "StatusBar") {
        return window_.statusBar();
    }
    if (control == "MainPanel") {
        return window_.mainPanel();
    }
    return window_.control(control);
}

std::string QtWindowView::text(std::string_view control) const {
    QWidget* shown = widget(control);
    if (const auto* field = qobject_cast<const QLineEdit*>(shown)) {
        return utf8(field->text());
    }
    if (const auto* list = qobject_cast<const QComboBox*>(shown)) {
        return list->currentIndex() < 0 ? std::string() : utf8(list->currentText());
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(shown)) {
        return utf8(button->text());
    }
    if (const auto* label = qobject_cast<const QLabel*>(shown)) {
        return utf8(label->text());
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(shown)) {
        return utf8(box->title());
    }
    return {};
}

void QtWindowView::setText(std::string_view control, std::string_view text) {
    QWidget* shown = widget(control);
    const QString value = qStringFromUtf8(text);
    if (auto* field = qobject_cast<QLineEdit*>(shown)) {
        field->setText(value);
    } else if (auto* list = qobject_cast<QComboBox*>(shown)) {
        list->setCurrentIndex(list->findText(value));
    } else if (auto* button = qobject_cast<QAbstractButton*>(shown)) {
        button->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(shown)) {
        label->setText(value);
    } else if (auto* box = qobject_cast<QGroupBox*>(shown)) {
        box->setTitle(value);
    }
}

bool QtWindowView::checked(std::string_view control) const {
    const auto* box = as<QCheckBox>(control);
    return box != nullptr && box->isChecked();
}

void QtWindowView::setChecked(std::string_view control, bool on) {
    if (auto* box = as<QCheckBox>(control)) {
        box->setChecked(on);
    }
}

void QtWindowView::setEnabled(std::string_view control, bool enabled) {
    if (QWidget* shown = widget(control)) {
        shown->setEnabled(enabled);
    }
}

void QtWindowView::setFocus(std::string_view control) {
    if (QWidget* shown = widget(control)) {
        shown->setFocus();
    }
}

std::vector<std::string> QtWindowView::items(std::string_view control) const {
    std::vector<std::string> entries;
    if (const auto* list = as<QComboBox>(control)) {
        for (int i = 0; i < list->count(); ++i) {
            entries.push_back(utf8(list->itemText(i)));
        }
    }
    return entries;
}

void QtWindowView::setItems(std::string_view control, std::span<const std::string> items) {
    auto* list = as<QComboBox>(control);
    if (list == nullptr) {
        return;
    }
    list->clear();
    for (const std::string& item : items) {
        list->addItem(qStringFromUtf8(item));
    }
}

int QtWindowView::selectedItem(std::string_view control) const {
    const auto* list = as<QComboBox>(control);
    return list == nullptr ? -1 : list->currentIndex();
}

void QtWindowView::selectItem(std::string_view control, int index) {
    if (auto* list = as<QComboBox>(control)) {
        list->setCurrentIndex(index);
    }
}

std::string QtWindowView::tabTitle(int tab) const {
    return utf8(window_.mainPanel()->tabText(tab));
}

void QtWindowView::setTabTitle(int tab, std::string_view title) {
    window_.mainPanel()->setTabText(tab, qStringFromUtf8(title));
}

void QtWindowView::showMode(Mode mode) {
    window_.showMode(mode);
}

void QtWindowView::clearEditor() {
    window_.programView().clear();
}

// The first lines show at once; the rest follows between events.
void QtWindowView::appendEditor(std::string_view bytes) {
    ProgramView& program = window_.programView();
    const bool wasFilling = program.isFilling();
    program.append(bytes);
    if (!wasFilling) {
        program.appendSlice();
    }
}

void QtWindowView::showEditor(const SharedText& text) {
    window_.programView().show(text);
}

void QtWindowView::editorCaretToStart() {
    auto* editor = as<ProgramTextWidget>("ProgramEditor");
    editor->clearSelection();
    editor->scrollToStart();
}

void QtWindowView::clearEditorSelection() {
    as<ProgramTextWidget>("ProgramEditor")->clearSelection();
}

void QtWindowView::followEditorLine(std::optional<std::size_t> line) {
    as<ProgramTextWidget>("ProgramEditor")->followLine(line);
}

void QtWindowView::appendStatus(std::string_view line) {
    window_.appendStatus(qStringFromUtf8(line));
}

void QtWindowView::replaceLastStatus(std::string_view line) {
    QTextCursor cursor(as<QPlainTextEdit>("StatusLine")->document());
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(qStringFromUtf8(line));
}

void QtWindowView::clearStatus() {
    window_.clearStatus();
}

void QtWindowView::clearStatusSelection() {
    dropSelection(*as<QPlainTextEdit>("StatusLine"));
}

void QtWindowView::setProgressMaximum(int maximum) {
    as<QProgressBar>("TransferProgress")->setMaximum(maximum);
}

void QtWindowView::setProgressValue(int value) {
    as<QProgressBar>("TransferProgress")->setValue(value);
}

void QtWindowView::setStatusField(int field, std::string_view text) {
    window_.statusBar()->setFieldText(field, qStringFromUtf8(text));
}

// The Qt file list still lists and draws its folder itself, so there is
// nothing to show here until it takes its rows from the window logic.
void QtWindowView::showFileRows(std::span<const FileRowText> /*rows*/) {}

int QtWindowView::selectedFileRow() const {
    return window_.fileList()->selectedIndex();
}

void QtWindowView::selectFileRow(int row) {
    window_.fileList()->selectEntry(row);
    window_.fileList()->makeEntryVisible(row);
}

} // namespace drovane
