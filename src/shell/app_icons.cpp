#include "shell/app_icons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>

namespace drovane {
namespace {

QIcon loadIcon(const QString& resource, QColor standIn, QSize size) {
    if (QFile::exists(resource)) {
        return QIcon(resource);
    }
    QPixmap pixmap(size);
    pixmap.fill(standIn);
    return QIcon(pixmap);
}

} // namespace

AppIcons loadAppIcons() {
    return AppIcons{
        loadIcon(QStringLiteral(":/icons/computer.ico"), Qt::gray, QSize(32, 32)),
        loadIcon(QStringLiteral(":/icons/machine.ico"), Qt::darkGray, QSize(32, 32)),
        loadIcon(QStringLiteral(":/icons/send.ico"), QColor(150, 90, 40), QSize(42, 32)),
        loadIcon(QStringLiteral(":/icons/receive.ico"), QColor(90, 60, 30), QSize(42, 32)),
    };
}

} // namespace drovane
