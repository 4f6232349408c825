#include "qt/qt_hand_over_inbox.h"

#include <QApplication>

namespace drovane {

QtHandOverInbox::QtHandOverInbox(WindowSession& session, QObject* parent)
    : QObject(parent), inbox_(session.state(), session.view(), session.programs(),
                              [] { return QApplication::activeModalWidget() != nullptr; }) {
    retry_.setSingleShot(true);
    retry_.setInterval(50);
    connect(&retry_, &QTimer::timeout, this, &QtHandOverInbox::jobEnded);
}

void QtHandOverInbox::receive(const QString& path) {
    switch (inbox_.receive(path.toStdString())) {
    case HandOverInbox::Outcome::Held:
        retry_.start();
        emit held(path);
        break;
    case HandOverInbox::Outcome::Applied:
        emit applied(path);
        break;
    case HandOverInbox::Outcome::Nothing:
        break;
    }
}

void QtHandOverInbox::jobEnded() {
    const QString path = QString::fromStdString(inbox_.waiting().value_or(std::string()));
    switch (inbox_.retry()) {
    case HandOverInbox::Outcome::Held:
        retry_.start();
        break;
    case HandOverInbox::Outcome::Applied:
        emit applied(path);
        break;
    case HandOverInbox::Outcome::Nothing:
        break;
    }
}

} // namespace drovane
