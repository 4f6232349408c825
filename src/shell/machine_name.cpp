#include "shell/machine_name.h"

#include "shell/qt_text.h"

namespace drovane {
namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString withoutOuterBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin);
}

} // namespace

std::optional<QString> storableMachineName(const QString& typed) {
    QString name = withoutOuterBlanks(typed);
    if (name.isEmpty() || name.contains(QLatin1Char(']'))) {
        return std::nullopt;
    }
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control) {
            return std::nullopt;
        }
    }
    if (qStringFromWindows1252(windows1252FromQString(name)) != name) {
        return std::nullopt;
    }
    return name;
}

} // namespace drovane
