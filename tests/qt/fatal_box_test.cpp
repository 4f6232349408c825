#include "qt/fatal_box.h"
#include "qt/fatal_error_handler.h"
#include "test_application.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>

using namespace drovane;

TEST(FatalBox, TheCallIsRecognisedOnlyWithItsOptionAndText) {
    char program[] = "drovane";
    char option[] = "--fatal-box";
    char text[] = "Stack overflow Zeile: 7";
    char file[] = "/nc/P1.nc";
    char* withText[] = {program, option, text, nullptr};
    char* withoutText[] = {program, option, nullptr};
    char* aFile[] = {program, file, nullptr};
    EXPECT_TRUE(isFatalBoxCall(3, withText));
    EXPECT_FALSE(isFatalBoxCall(2, withoutText));
    EXPECT_FALSE(isFatalBoxCall(2, aFile));
    EXPECT_FALSE(isFatalBoxCall(1, aFile));
}

TEST(FatalBox, AModalBoxTitledProgrammfehlerWithOnlyOk) {
    drovane::testing::ensureApplication();
    const auto box = makeFatalBox(QStringLiteral("AllocateMemory fehlgeschlagen!  Zeile: 77"));
    EXPECT_EQ(box->windowTitle(), "Programmfehler");
    EXPECT_EQ(box->text(), "AllocateMemory fehlgeschlagen!  Zeile: 77");
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
}
