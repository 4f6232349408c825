#include "qt/help_window.h"

#include "qt/app_icons.h"
#include "qt/embedded_resources.h"

#include <QKeyEvent>

namespace drovane {

HelpWindow::HelpWindow(QWidget* owner) : QTextBrowser(owner) {
    registerEmbeddedResources();
    setWindowFlags(Qt::Window);
    // Closing the main window ends the program at once, even with the help still open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Drovane - Hilfe"));
    setWindowIcon(AppIcons::iconMachine());
    setOpenExternalLinks(false);
    resize(720, 640);
    setSource(pageUrl());
}

void HelpWindow::present() {
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

QUrl HelpWindow::pageUrl() {
    return {QStringLiteral("qrc:/help/drovane.html")};
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

} // namespace drovane
