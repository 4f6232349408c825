#include "shell/app_icons.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel placeholder(QStringLiteral("Drovane: das Fenster folgt."));
    placeholder.setWindowTitle(QStringLiteral("Drovane"));
    placeholder.setWindowIcon(drovane::AppIcons::iconMachine());
    placeholder.resize(667, 734);
    placeholder.show();
    return QApplication::exec();
}
