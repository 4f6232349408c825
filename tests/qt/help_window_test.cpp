#include "qt/help_window.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace drovane {
namespace {

int visibleHelpWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<HelpWindow*>(widget) != nullptr && widget->isVisible() ? 1 : 0;
    }
    return count;
}

TEST(HelpWindowTest, ShowsTheHelpPageInItsOwnWindow) {
    HelpWindow help;
    help.present();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    EXPECT_TRUE(help.isWindow());
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Drovane - Hilfe"));
    EXPECT_FALSE(help.windowIcon().isNull());
    EXPECT_EQ(help.source(), HelpWindow::pageUrl());
    const QString text = help.document()->toPlainText();
    EXPECT_GT(text.size(), 5000);
    // umlauts decoded as UTF-8, not shown as mojibake
    EXPECT_TRUE(text.contains(QStringLiteral("Übertragung starten")));
    EXPECT_FALSE(text.contains(QStringLiteral("Ã")));
    EXPECT_TRUE(help.isReadOnly());
}

TEST(HelpWindowTest, ASecondRequestBringsBackTheSameWindow) {
    QWidget main;
    main.show();
    HelpWindow help(&main);
    help.present();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    help.present();
    EXPECT_EQ(visibleHelpWindows(), 1);

    // the operator works in another window; asking again brings the help back to the front
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_FALSE(help.isActiveWindow());
    help.present();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&help));

    help.setWindowState(Qt::WindowMinimized);
    help.present();
    EXPECT_FALSE(help.isMinimized());

    // Escape closes it; the next request opens it again
    QTest::keyClick(&help, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
    help.present();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(visibleHelpWindows(), 1);
}

TEST(HelpWindowTest, OpenHelpDoesNotKeepTheProgramRunning) {
    for (const bool owned : {false, true}) {
        SCOPED_TRACE(owned ? "owned by the main window" : "without owner");
        QWidget main;
        main.show();
        HelpWindow help(owned ? &main : nullptr);
        help.present();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));

        // Closing the main window must end the event loop although the help is still open. The
        // second timer only stops a hanging loop so the failure is reported instead of blocking.
        QTimer closer;
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, &main, &QWidget::close);
        closer.start(0);
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        EXPECT_EQ(QApplication::exec(), 0);
    }
}

} // namespace
} // namespace drovane
