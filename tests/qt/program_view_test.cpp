// The editor's view of received bytes: however the bytes arrive in pieces,
// the editor shows the same lines, and a large batch reaches it over several
// turns of the event loop.

#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

namespace drovane::testing {
namespace {

// What the editor shows for these bytes taken as one whole: each CR LF, CR
// or LF is one line break.
QString shownLines(const std::string& bytes) {
    QString text = QString::fromLatin1(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string repeated(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += line;
    }
    return text;
}

class ProgramViewTest : public WindowTest {
protected:
    ProgramView& view() { return window().programView(); }
    ProgramTextWidget* editor() { return window().controlAs<ProgramTextWidget>("ProgramEditor"); }
};

TEST_F(ProgramViewTest, PiecesShowTheLinesOfTheWhole) {
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
        // The window catches up after each piece, or only after the last.
        bool shownBetween;
    };
    // Three-byte lines put a CR LF across a slice border of any size that
    // three does not divide.
    const std::string longChunk = repeated("x\r\n", 100'000);
    const std::vector<Case> cases = {
        {"CR LF split, shown between", {"N1\r", "\nN2\r\n"}, true},
        {"CR LF split, both waiting", {"N1\r", "\nN2\r\n"}, false},
        {"CR, LF, then a lone LF", {"N1\r", "\n", "\nN2"}, true},
        {"CR, LF, then a lone LF, waiting", {"N1\r", "\n", "\nN2"}, false},
        {"CR then CR LF", {"N1\r", "\r\nN2"}, true},
        {"LF first", {"\nN1\r\n"}, true},
        {"long chunk", {longChunk, "N2\r"}, false},
        {"Windows-1252 bytes", {"(\x80\xE4\r", "\n\xFF)"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view().clear();
        std::string whole;
        for (const std::string& piece : c.pieces) {
            whole += piece;
            view().append(piece);
            if (c.shownBetween) {
                view().finish();
            }
        }
        view().finish();
        QString expected = shownLines(whole);
        expected.replace(QLatin1Char('\x80'), QChar(0x20AC));
        EXPECT_EQ(editor()->toPlainText(), expected);
    }
}

TEST_F(ProgramViewTest, LargeBatchReachesTheEditorOverSeveralTurns) {
    const std::string batch = repeated("N1 X1.5\r\n", 200'000);
    view().append(batch);
    EXPECT_TRUE(view().isFilling());
    EXPECT_EQ(editor()->lines().count(), 1U) << "nothing is indexed while the batch arrives";

    ASSERT_TRUE(QTest::qWaitFor([this] { return editor()->lines().count() > 1; }, 60'000));

    EXPECT_TRUE(QTest::qWaitFor([this] { return !view().isFilling(); }, 120'000));
    EXPECT_EQ(editor()->lines().count(), 200'001U);
}

// The share of a band of rows in this colour.
double shareOf(const QImage& image, int top, int height, QColor colour) {
    int matching = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            matching += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return static_cast<double>(matching) / (height * image.width());
}

TEST_F(ProgramViewTest, FirstScreenOfALargeProgramIsPaintedAndTheFollowedLineMarked) {
    window().mainPanel()->setCurrentIndex(ProgramTab);
    const std::string big = repeated("N1 G01 X12.5 Y-3.25 F800\r\n", 400'000);
    view().show(big);
    QApplication::processEvents();
    const int height = editor()->lineHeight();
    const QColor base = editor()->palette().color(QPalette::Base);
    QImage first = editor()->viewport()->grab().toImage();
    first.save(QString::fromLocal8Bit(::testing::TempDir()) + "program_view_first.png");
    EXPECT_LT(shareOf(first, 0, height, base), 0.98) << "the first line is drawn";
    EXPECT_EQ(editor()->firstVisibleLine(), 0U);

    view().finish();
    editor()->followLine(300'000);
    QApplication::processEvents();
    const std::size_t top = editor()->firstVisibleLine();
    ASSERT_LE(top, 300'000U);
    const int row = static_cast<int>(300'000 - top) * height;
    ASSERT_LT(row + height, editor()->viewport()->height()) << "the followed line is in view";
    const QImage followed = editor()->viewport()->grab().toImage();
    followed.save(QString::fromLocal8Bit(::testing::TempDir()) + "program_view_followed.png");
    const QColor mark = editor()->palette().color(QPalette::ToolTipBase);
    EXPECT_GT(shareOf(followed, row, height, mark), 0.5);
    EXPECT_EQ(shareOf(followed, row + height, height, mark), 0.0) << "only that line";
}

TEST_F(ProgramViewTest, MouseAndKeysMarkTextAndCopyIt) {
    view().show("N10 G0\nN20 G1\r\nN30");
    view().finish();
    QWidget* area = editor()->viewport();
    const int height = editor()->lineHeight();
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(0, height / 2));
    QTest::mouseMove(area, QPoint(area->width() - 1, height + height / 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(area->width() - 1, height + height / 2),
                     area->mapToGlobal(QPointF(area->width() - 1, height + height / 2)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &move);
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(area->width() - 1, height + height / 2));
    EXPECT_EQ(editor()->selectedText(), "N10 G0\nN20 G1");

    QTest::keyClick(editor(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(editor()->selectedText(), "N10 G0\nN20 G1\nN30") << "the column stops at the end";
    QTest::keyClick(editor(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(editor()->selectedText(), "N10 G0\nN20 G1\nN3");

    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "N10 G0\nN20 G1\nN30");
}

TEST_F(ProgramViewTest, TheMenuSendsFromTheLineUnderTheMouse) {
    view().show("%\nO1\nN10\nN20\n");
    view().finish();
    QSignalSpy asked(editor(), &ProgramTextWidget::sendFromLine);
    const int height = editor()->lineHeight();
    editor()->contextMenuAt(QPoint(5, 2 * height + height / 2))->actions().first()->trigger();
    editor()->contextMenuAt(QPoint(5, 40 * height))->actions().first()->trigger();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked.at(0).at(0).value<std::size_t>(), 3U);
    EXPECT_EQ(asked.at(1).at(0).value<std::size_t>(), 5U) << "below the text: its last line";
}

} // namespace
} // namespace drovane::testing
