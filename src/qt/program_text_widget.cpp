#include "qt/program_text_widget.h"

#include "qt/qt_text.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <utility>

namespace drovane {

namespace {

std::ptrdiff_t signedSize(std::size_t value) {
    return static_cast<std::ptrdiff_t>(value);
}

} // namespace

QString shownLine(std::string_view bytes) {
    QString line;
    line.reserve(static_cast<qsizetype>(bytes.size()));
    const QString converted = qStringFromWindows1252(bytes);
    for (const QChar character : converted) {
        if (character == QLatin1Char('\t')) {
            const auto stop = static_cast<qsizetype>(LineIndex::TabColumns);
            line.append(QString(stop - line.size() % stop, QLatin1Char(' ')));
        } else {
            line.append(character.isNull() ? QLatin1Char(' ') : character);
        }
    }
    return line;
}

ProgramTextWidget::ProgramTextWidget(QWidget* parent) : QAbstractScrollArea(parent) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    updateScrollBars();
}

void ProgramTextWidget::append(std::string_view bytes) {
    lines_.append(bytes);
}

void ProgramTextWidget::show(SharedText text) {
    clear();
    lines_.show(std::move(text));
}

bool ProgramTextWidget::indexMore(std::size_t bytes) {
    const std::size_t linesBefore = lines_.count();
    const bool more = lines_.indexMore(bytes);
    updateScrollBars();
    if (linesBefore - 1 < firstVisibleLine() + static_cast<std::size_t>(visibleLines())) {
        viewport()->update();
    }
    return more;
}

void ProgramTextWidget::clear() {
    lines_.clear();
    selection_.clear();
    followed_.reset();
    widestSeen_ = 0;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void ProgramTextWidget::scrollToStart() {
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void ProgramTextWidget::clearSelection() {
    selection_.clear();
    viewport()->update();
}

void ProgramTextWidget::followLine(std::optional<std::size_t> line) {
    followed_ = line;
    const std::size_t top = firstVisibleLine();
    if (line && (*line < top || *line >= top + static_cast<std::size_t>(visibleLines()))) {
        // The line going out sits a third down, so what comes next shows too.
        verticalScrollBar()->setValue(
            static_cast<int>(std::max<std::ptrdiff_t>(0, signedSize(*line) - visibleLines() / 3)));
    }
    viewport()->update();
}

std::size_t ProgramTextWidget::firstVisibleLine() const {
    return static_cast<std::size_t>(verticalScrollBar()->value());
}

int ProgramTextWidget::lineHeight() const {
    return std::max(1, fontMetrics().lineSpacing());
}

int ProgramTextWidget::visibleLines() const {
    return std::max(1, viewport()->height() / lineHeight());
}

QString ProgramTextWidget::toPlainText() const {
    return qStringFromWindows1252(lines_.joined("\n"));
}

QString ProgramTextWidget::selectedText() const {
    return qStringFromWindows1252(selection_.text(lines_, "\n"));
}

void ProgramTextWidget::updateScrollBars() {
    const int page = visibleLines();
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setRange(
        0, static_cast<int>(std::max<std::ptrdiff_t>(0, signedSize(lines_.count()) - page)));
    const int guessed = static_cast<int>(lines_.widestColumns()) *
                        fontMetrics().horizontalAdvance(QLatin1Char('X'));
    const int widest = std::max(guessed, widestSeen_) + 2 * Margin;
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth());
    horizontalScrollBar()->setRange(0, std::max(0, widest - viewport()->width()));
}

int ProgramTextWidget::xOf(std::string_view line, std::size_t column) const {
    return Margin - horizontalScrollBar()->value() +
           fontMetrics().horizontalAdvance(shownLine(line.substr(0, column)));
}

void ProgramTextWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    const QPalette& colours = palette();
    const int height = lineHeight();
    const std::size_t top = firstVisibleLine();
    const std::size_t end = std::min(lines_.count(), top + visibleLines() + 1);
    int widest = widestSeen_;
    for (std::size_t index = top; index < end; ++index) {
        const int y = static_cast<int>(index - top) * height;
        const std::string_view line = lines_.line(index);
        const QString shown = shownLine(line);
        const QRect row(0, y, viewport()->width(), height);
        if (followed_ == index) {
            painter.fillRect(row, colours.toolTipBase());
        }
        const int x = Margin - horizontalScrollBar()->value();
        const int baseline = y + fontMetrics().ascent();
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(x, baseline, shown);
        widest = std::max(widest, fontMetrics().horizontalAdvance(shown));
        if (const auto span = selection_.spanOn(index, line.size())) {
            const int breakWidth = span->throughBreak ? fontMetrics().averageCharWidth() : 0;
            const QRect marked(QPoint(xOf(line, span->from), y),
                               QPoint(xOf(line, span->to) + breakWidth - 1, y + height - 1));
            painter.fillRect(marked, colours.highlight());
            painter.save();
            painter.setClipRect(marked);
            painter.setPen(colours.color(QPalette::HighlightedText));
            painter.drawText(x, baseline, shown);
            painter.restore();
        }
    }
    if (widest > widestSeen_) {
        widestSeen_ = widest;
        updateScrollBars();
    }
}

void ProgramTextWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ProgramTextWidget::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        widestSeen_ = 0;
        updateScrollBars();
    }
}

TextPosition ProgramTextWidget::positionAt(QPoint point) const {
    const int y = point.y();
    const std::ptrdiff_t row = (y >= 0 ? y : y - lineHeight() + 1) / lineHeight();
    const auto index = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(
        signedSize(firstVisibleLine()) + row, 0, signedSize(lines_.count()) - 1));
    const std::string_view line = lines_.line(index);
    std::size_t low = 0;
    std::size_t high = line.size();
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (xOf(line, middle) <= point.x()) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    if (low < line.size() && point.x() - xOf(line, low) > xOf(line, low + 1) - point.x()) {
        ++low;
    }
    return {index, low};
}

void ProgramTextWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    selecting_ = true;
    const TextPosition position = positionAt(event->position().toPoint());
    if ((event->modifiers() & Qt::ShiftModifier) != 0) {
        selection_.extendTo(position);
    } else {
        selection_.startAt(position);
    }
    viewport()->update();
}

void ProgramTextWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!selecting_ || (event->buttons() & Qt::LeftButton) == 0) {
        return;
    }
    const QPoint point = event->position().toPoint();
    if (point.y() < 0) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    } else if (point.y() >= viewport()->height()) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    selection_.extendTo(positionAt(point));
    viewport()->update();
}

void ProgramTextWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        selecting_ = false;
    }
}

void ProgramTextWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const std::size_t line = positionAt(event->position().toPoint()).line;
    selection_.startAt({line, 0});
    selection_.extendTo({line, lines_.line(line).size()});
    viewport()->update();
}

// Shift with an arrow, Home or End moves the caret end of the mark.
bool ProgramTextWidget::moveCaret(int key) {
    TextPosition caret = selection_.caret();
    const std::size_t last = lines_.count() - 1;
    switch (key) {
    case Qt::Key_Left:
        if (caret.column > 0) {
            --caret.column;
        } else if (caret.line > 0) {
            --caret.line;
            caret.column = lines_.line(caret.line).size();
        }
        break;
    case Qt::Key_Right:
        if (caret.column < lines_.line(caret.line).size()) {
            ++caret.column;
        } else if (caret.line < last) {
            caret = {caret.line + 1, 0};
        }
        break;
    case Qt::Key_Up:
        caret.line = caret.line > 0 ? caret.line - 1 : 0;
        break;
    case Qt::Key_Down:
        caret.line = std::min(caret.line + 1, last);
        break;
    case Qt::Key_Home:
        caret.column = 0;
        break;
    case Qt::Key_End:
        caret.column = lines_.line(caret.line).size();
        break;
    default:
        return false;
    }
    caret.column = std::min(caret.column, lines_.line(caret.line).size());
    selection_.extendTo(caret);
    const std::size_t top = firstVisibleLine();
    if (caret.line < top || caret.line >= top + static_cast<std::size_t>(visibleLines())) {
        verticalScrollBar()->setValue(static_cast<int>(
            caret.line < top ? caret.line
                             : caret.line + 1 - static_cast<std::size_t>(visibleLines())));
    }
    viewport()->update();
    return true;
}

void ProgramTextWidget::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        selection_.selectAll(lines_);
        viewport()->update();
    } else if (event->matches(QKeySequence::Copy)) {
        copySelection();
    } else if ((event->modifiers() & Qt::ShiftModifier) == 0 || !moveCaret(event->key())) {
        if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier) {
            scrollToStart();
        } else if (event->key() == Qt::Key_End && event->modifiers() == Qt::NoModifier) {
            verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        } else {
            QAbstractScrollArea::keyPressEvent(event);
        }
    }
}

void ProgramTextWidget::copySelection() const {
    if (!selection_.empty()) {
        QApplication::clipboard()->setText(selectedText());
    }
}

QMenu* ProgramTextWidget::contextMenuAt(QPoint point) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const std::size_t line = positionAt(point).line + 1;
    connect(menu->addAction(QStringLiteral("Ab hier senden")), &QAction::triggered, this,
            [this, line] { emit sendFromLine(line); });
    return menu;
}

void ProgramTextWidget::contextMenuEvent(QContextMenuEvent* event) {
    contextMenuAt(viewport()->mapFromGlobal(event->globalPos()))->popup(event->globalPos());
}

} // namespace drovane
