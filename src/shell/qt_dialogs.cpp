#include "shell/qt_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace drovane {

void QtDialogs::inform(const QString& title, const QString& text) {
    QMessageBox::information(owner_, title, text, QMessageBox::Ok);
}

bool QtDialogs::askYesNo(const QString& title, const QString& text) {
    return QMessageBox::question(owner_, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::askText(const QString& title, const QString& prompt,
                                          const QString& initial) {
    bool accepted = false;
    QString text =
        QInputDialog::getText(owner_, title, prompt, QLineEdit::Normal, initial, &accepted);
    if (!accepted) {
        return std::nullopt;
    }
    return text;
}

QString QtDialogs::chooseFolder(const QString& prompt, const QString& start) {
    // Qt's own dialog has the edit box for typing a path on every desktop.
    QString folder = QFileDialog::getExistingDirectory(
        owner_, prompt, start, QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    return folder;
}

} // namespace drovane
