#pragma once

// Shows a program in the editor without freezing the window: the first lines
// appear at once and the rest is indexed in short slices between events.

#include "qt/program_text_widget.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace drovane {

class ProgramView : public QObject {
    Q_OBJECT
public:
    explicit ProgramView(ProgramTextWidget* editor);

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
    QPointer<ProgramTextWidget> editor_;
    // Bytes still to show, oldest first. They stay bytes until their slice
    // comes, so a large batch costs the window nothing when it arrives, and a
    // long reception adds chunks instead of growing and moving one string.
    std::deque<std::string> pending_;
    std::size_t frontShown_ = 0;
    QTimer nextSlice_;
};

} // namespace drovane
