#pragma once

#include <QTextBrowser>
#include <QUrl>

class QKeyEvent;

namespace drovane {

// The help page in a window of its own. The main window keeps one instance and calls present()
// for every request, so a second request brings the open window back instead of adding another.
class HelpWindow : public QTextBrowser {
    Q_OBJECT

public:
    // With an owner the help closes with it; it never keeps the program running on its own.
    explicit HelpWindow(QWidget* owner = nullptr);

    // Shows the window, or brings it to the front (restored, active) when it is already open.
    void present();

    static QUrl pageUrl();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace drovane
