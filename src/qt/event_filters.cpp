#include "qt/event_filters.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>

namespace drovane {

bool DigitsOnlyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const QString text = key->text();
        const bool printable = !text.isEmpty() && text.at(0).isPrint();
        if (printable) {
            for (const QChar character : text) {
                if (character < QLatin1Char('0') || character > QLatin1Char('9')) {
                    return true;
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

RightPressFilter::RightPressFilter(QObject* parent, std::function<void()> command)
    : QObject(parent), command_(std::move(command)) {}

bool RightPressFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<const QMouseEvent*>(event)->button() == Qt::RightButton) {
        command_();
    }
    return QObject::eventFilter(watched, event);
}

bool ClosedDropDownWheelFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

FocusFilter::FocusFilter(QObject* parent, std::function<void()> gained, std::function<void()> lost)
    : QObject(parent), gained_(std::move(gained)), lost_(std::move(lost)) {}

bool FocusFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        gained_();
    } else if (event->type() == QEvent::FocusOut) {
        lost_();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace drovane
