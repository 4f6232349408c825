#pragma once

// Shows a program in the editor without freezing the window: the first lines
// appear at once and the rest follows in short slices between events.

#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

class QTextCursor;

namespace drovane {

class ProgramView : public QObject {
    Q_OBJECT
public:
    explicit ProgramView(QPlainTextEdit* editor);

    // Replaces the editor's text with these Windows-1252 bytes.
    void show(std::string_view bytes);
    // Adds these bytes after what is shown or still to come.
    void append(std::string bytes);
    void clear();
    bool isFilling() const { return !pending_.empty(); }
    // Runs the remaining slices now (tests, benchmarks).
    void finish();

    // Shows the next slice now; what the editor shows at once of a new text.
    void appendSlice();

signals:
    void filled();

private:
    void insert(QTextCursor& cursor, std::string_view bytes);

    QPointer<QPlainTextEdit> editor_;
    // Bytes still to show, oldest first. They stay bytes until their slice
    // comes, so a large batch costs the window nothing when it arrives, and a
    // long reception adds chunks instead of growing and moving one string.
    std::deque<std::string> pending_;
    std::size_t frontShown_ = 0;
    // The editor breaks the line at a CR and again at an LF that comes in a
    // later insertion; one CR LF is one break.
    bool shownEndsInCr_ = false;
    QTimer nextSlice_;
};

} // namespace drovane
