#include "qt/fatal_box.h"

#include "qt/fatal_error_handler.h"

#include <QApplication>
#include <QMessageBox>
#include <cstring>

namespace drovane {

bool isFatalBoxCall(int argc, char* argv[]) {
    return argc >= 3 && std::strcmp(argv[1], FatalBoxOption) == 0;
}

std::unique_ptr<QMessageBox> makeFatalBox(const QString& text) {
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::Critical, QStringLiteral("Programmfehler"), text, QMessageBox::Ok);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

int runFatalBox(int argc, char* argv[]) {
    const QApplication application(argc, argv);
    const auto box = makeFatalBox(QString::fromUtf8(argv[2]));
    box->exec();
    return 0;
}

} // namespace drovane
