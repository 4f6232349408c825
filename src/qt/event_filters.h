#pragma once

// Small event filters the window installs on its controls.

#include <QObject>
#include <functional>

namespace drovane {

// Lets only the digits 0-9 through from the keyboard; text the program sets
// and editing keys are not touched.
class DigitsOnlyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Runs a command when the right mouse button goes down on a button; the event
// still reaches the button, which a right press never pushes.
class RightPressFilter : public QObject {
public:
    RightPressFilter(QObject* parent, std::function<void()> command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> command_;
};

// Keeps the wheel from changing a closed drop-down: turned while the pointer
// only passes over it, it would pick a machine or a line setting nobody
// chose. The event goes on to the parent; an open list still scrolls.
class ClosedDropDownWheelFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Reports focus gained and lost.
class FocusFilter : public QObject {
public:
    FocusFilter(QObject* parent, std::function<void()> gained, std::function<void()> lost);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> gained_;
    std::function<void()> lost_;
};

} // namespace drovane
