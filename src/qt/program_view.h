#pragma once

// Shows a program in the editor without freezing the window: the first lines
// appear at once and the rest is indexed in short slices between events.

#include "qt/program_text_widget.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstddef>
#include <string>
#include <string_view>

namespace drovane {

class ProgramView : public QObject {
    Q_OBJECT
public:
    explicit ProgramView(ProgramTextWidget* editor);

    // Replaces the editor's text with these Windows-1252 bytes.
    void show(std::string_view bytes);
    // Shares these bytes instead of copying them.
    void show(SharedText text);
    // Adds these bytes after what is shown or still to come.
    void append(std::string_view bytes);
    void clear();
    bool isFilling() const { return !editor_->lines().fullyIndexed(); }
    // Runs the remaining slices now (tests, benchmarks).
    void finish();

    // Shows the next slice now; what the editor shows at once of a new text.
    void appendSlice();
    // Shows slices for one turn of the event loop.
    void appendSlices();

signals:
    void filled();

private:
    void startSlices();

    QPointer<ProgramTextWidget> editor_;
    QTimer nextSlice_;
};

} // namespace drovane
