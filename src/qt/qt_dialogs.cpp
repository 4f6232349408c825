#include "qt/qt_dialogs.h"

#include "qt/qt_text.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace drovane {

// The program's boxes carry no icon: their texts say what kind of news they are.
void QtDialogs::inform(std::string_view title, std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, qStringFromUtf8(title), qStringFromUtf8(text),
                    QMessageBox::Ok, owner_);
    box.exec();
}

bool QtDialogs::askYesNo(std::string_view title, std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, qStringFromUtf8(title), qStringFromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::askText(std::string_view title, std::string_view prompt,
                                              std::string_view initial) {
    bool accepted = false;
    const QString text =
        QInputDialog::getText(owner_, qStringFromUtf8(title), qStringFromUtf8(prompt),
                              QLineEdit::Normal, qStringFromUtf8(initial), &accepted);
    if (!accepted) {
        return std::nullopt;
    }
    return text.toStdString();
}

std::string QtDialogs::chooseFolder(std::string_view prompt, std::string_view start) {
    // Qt's own dialog has the edit box for typing a path on every desktop.
    QString folder = QFileDialog::getExistingDirectory(
        owner_, qStringFromUtf8(prompt), qStringFromUtf8(start),
        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    return folder.toStdString();
}

} // namespace drovane
