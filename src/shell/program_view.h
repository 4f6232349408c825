#pragma once

// Shows a program in the editor without freezing the window: the first lines
// appear at once and the rest follows in short slices between events.

#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <string_view>

namespace drovane {

class ProgramView : public QObject {
    Q_OBJECT
public:
    explicit ProgramView(QPlainTextEdit* editor);

    // Replaces the editor's text with these Windows-1252 bytes.
    void show(std::string_view bytes);
    // Adds these bytes after what is shown or still to come.
    void append(std::string_view bytes);
    void clear();
    bool isFilling() const { return next_ < pending_.size(); }
    // Runs the remaining slices now (tests, benchmarks).
    void finish();

signals:
    void filled();

private:
    void appendSlice();

    QPointer<QPlainTextEdit> editor_;
    QString pending_;
    qsizetype next_ = 0;
    // The editor breaks the line at a CR and again at an LF that comes in a
    // later append; one CR LF is one break.
    bool shownEndsInCr_ = false;
    QTimer nextSlice_;
};

} // namespace drovane
