#include "qt/qt_command_wiring.h"

#include "qt/event_filters.h"
#include "qt/program_text_widget.h"

#include <QComboBox>

namespace drovane {
namespace {

QWidget* controlNamed(MainWindow& window, std::string_view control) {
    if (control == "StatusBar") {
        return window.statusBar();
    }
    return window.control(control);
}

void wire(MainWindow& window, QWidget* widget, Trigger trigger, QObject& owner,
          const std::function<void()>& fire) {
    switch (trigger) {
    case Trigger::Click:
        QObject::connect(qobject_cast<QPushButton*>(widget), &QPushButton::clicked, &owner, fire);
        break;
    case Trigger::Edited:
        QObject::connect(qobject_cast<QLineEdit*>(widget), &QLineEdit::textEdited, &owner, fire);
        break;
    case Trigger::FocusGained:
        widget->installEventFilter(new FocusFilter(widget, fire, [] {}));
        break;
    case Trigger::FocusLost:
        widget->installEventFilter(new FocusFilter(
            widget, [] {}, fire));
        break;
    case Trigger::ListClicked:
        QObject::connect(window.fileList(), &FileList::clicked, &owner, fire);
        break;
    case Trigger::ListChanged:
        QObject::connect(window.fileList(), &FileList::changed, &owner, fire);
        break;
    case Trigger::ListOpened:
        QObject::connect(window.fileList(), &FileList::fileOpened, &owner, fire);
        break;
    case Trigger::HelpClick:
        QObject::connect(window.statusBar(), &StatusBar::helpClicked, &owner, fire);
        break;
    case Trigger::Picked:
        QObject::connect(qobject_cast<QComboBox*>(widget), &QComboBox::activated, &owner, fire);
        break;
    case Trigger::RightPress:
        break;
    }
}

} // namespace

void wireCommands(MainWindow& window, CommandDispatch& dispatch, QObject& owner) {
    for (const WiredEvent& event : wiredEvents()) {
        const auto fire = [&dispatch, event] {
            dispatch.dispatch(event.control, event.trigger);
        };
        wire(window, controlNamed(window, event.control), event.trigger, owner, fire);
    }
    QObject::connect(window.controlAs<ProgramTextWidget>("ProgramEditor"),
                     &ProgramTextWidget::sendFromLine, &owner,
                     [&dispatch](std::size_t line) { dispatch.sendFromLine(line); });
}

void installButtonFilters(MainWindow& window, CommandDispatch& dispatch) {
    for (const WiredEvent& event : wiredEvents()) {
        if (event.trigger == Trigger::RightPress) {
            QWidget* button = controlNamed(window, event.control);
            button->installEventFilter(new RightPressFilter(
                button, [&dispatch, event] { dispatch.dispatch(event.control, event.trigger); }));
        }
    }
}

} // namespace drovane
