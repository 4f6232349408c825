#pragma once

// The program editor: a read-only view that paints only the lines in sight
// straight from the program's bytes (Windows-1252 converted per painted
// line), so a program of any size shows at once and a reception costs only
// what it adds. The mouse and Shift with the arrow keys mark text, Ctrl+A
// marks all, Ctrl+C copies; its context menu sends from the line under it.

#include "window/program_lines.h"
#include "window/text_selection.h"

#include <QAbstractScrollArea>
#include <QString>
#include <cstddef>
#include <optional>
#include <string_view>

class QMenu;

namespace drovane {

class ProgramTextWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int Margin = 4;

    explicit ProgramTextWidget(QWidget* parent);

    // Bytes kept for indexMore(), which shows their lines.
    void append(std::string_view bytes);
    // Shows these bytes, shared with their holder, once indexMore() finds their lines.
    void show(SharedText text);
    void clear();
    // Shows up to `bytes` more bytes' lines; true while some are left.
    bool indexMore(std::size_t bytes);
    void scrollToStart();
    void clearSelection();
    // Keeps this line (from 0) in sight and marks it; none marks nothing.
    void followLine(std::optional<std::size_t> line);

    const ProgramLines& lines() const { return lines_; }
    std::size_t firstVisibleLine() const;
    int lineHeight() const;
    // Lines joined by "\n", as a text widget gives its text.
    QString toPlainText() const;
    QString selectedText() const;
    // The menu the right button opens over this point of the viewport.
    QMenu* contextMenuAt(QPoint point);

signals:
    // "Ab hier senden" on this line, counted from 1.
    void sendFromLine(std::size_t line);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateScrollBars();
    int visibleLines() const;
    int xOf(std::string_view line, std::size_t column) const;
    TextPosition positionAt(QPoint point) const;
    bool moveCaret(int key);
    void copySelection() const;

    ProgramLines lines_;
    TextSelection selection_;
    bool selecting_ = false;
    std::optional<std::size_t> followed_;
    // The widest line painted so far, in pixels; the index's columns only
    // guess it for a font whose letters differ in width.
    int widestSeen_ = 0;
};

// A line as it is drawn: Windows-1252, tabs to their stops, a NUL as a blank.
QString shownLine(std::string_view bytes);

} // namespace drovane
