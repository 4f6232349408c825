#include "shell/list_location.h"

#include <QDir>

namespace drovane {

ListLocation applyLocationText(const ListLocation& current, const QString& text) {
    QString path = text;
    path.replace(u'\\', u'/');
    const auto separator = path.lastIndexOf(u'/');
    ListLocation next = current;
    if (path.isEmpty()) {
        next.directory.clear();
    } else if (separator < 0) {
        next.pattern = path;
    } else if (separator == path.size() - 1) {
        next.directory = normalizedDirectory(path);
    } else {
        next.directory = normalizedDirectory(path.left(separator + 1));
        next.pattern = path.mid(separator + 1);
    }
    return next;
}

QString normalizedDirectory(const QString& directory) {
    if (directory.isEmpty()) {
        return {};
    }
    QString clean = QDir::cleanPath(QDir::current().absoluteFilePath(directory));
    if (!clean.endsWith(u'/')) {
        clean += u'/';
    }
    return clean;
}

QString parentDirectory(const QString& directory) {
    if (directory.isEmpty() || directory == u"/") {
        return {};
    }
    return normalizedDirectory(directory + QStringLiteral(".."));
}

} // namespace drovane
