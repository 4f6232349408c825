// The editor's view of received bytes: however the bytes arrive in pieces,
// the editor shows the same lines, and a large batch reaches it over several
// turns of the event loop.

#include "window_fixture.h"

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
    QPlainTextEdit* editor() { return window().controlAs<QPlainTextEdit>("ProgramEditor"); }
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
    EXPECT_EQ(editor()->blockCount(), 1) << "nothing is inserted while the batch arrives";

    ASSERT_TRUE(QTest::qWaitFor([this] { return editor()->blockCount() > 1; }, 60'000));
    EXPECT_TRUE(view().isFilling()) << "one turn shows only a slice";

    EXPECT_TRUE(QTest::qWaitFor([this] { return !view().isFilling(); }, 120'000));
    EXPECT_EQ(editor()->blockCount(), 200'001);
}

} // namespace
} // namespace drovane::testing
