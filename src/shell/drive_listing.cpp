#include "shell/drive_listing.h"

#include <QFile>
#include <algorithm>
#include <array>

namespace drovane {
namespace {

// Kernel and memory file systems that are never a volume of their own.
constexpr std::array<QStringView, 20> pseudoFileSystems = {
    u"autofs", u"binfmt_misc", u"bpf",      u"cgroup",     u"cgroup2",   u"configfs", u"debugfs",
    u"devpts", u"devtmpfs",    u"efivarfs", u"fusectl",    u"hugetlbfs", u"mqueue",   u"nsfs",
    u"proc",   u"pstore",      u"ramfs",    u"securityfs", u"sysfs",     u"tmpfs",
};

constexpr std::array<QStringView, 3> volumePlaces = {u"/media/", u"/mnt/", u"/run/media/"};

// The mounts table writes blank, tab, newline and backslash as "\ooo".
QString unescapedMountPoint(QStringView field) {
    QString text;
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == u'\\' && i + 3 < field.size() &&
                           std::all_of(field.begin() + i + 1, field.begin() + i + 4,
                                       [](QChar c) { return c >= u'0' && c <= u'7'; });
        if (octal) {
            text += QChar(field.mid(i + 1, 3).toUInt(nullptr, 8));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

bool isVolume(const QString& mountPoint, QStringView fileSystem) {
    const bool real = std::find(pseudoFileSystems.begin(), pseudoFileSystems.end(), fileSystem) ==
                      pseudoFileSystems.end();
    const bool placed =
        std::any_of(volumePlaces.begin(), volumePlaces.end(), [&](QStringView place) {
            return mountPoint.startsWith(place) && mountPoint.size() > place.size();
        });
    return real && placed;
}

} // namespace

QStringList drivesFromMounts(const QString& mountsText) {
    QStringList volumes;
    for (const QStringView line : QStringView(mountsText).split(u'\n')) {
        const auto fields = line.split(u' ', Qt::SkipEmptyParts);
        if (fields.size() < 3) {
            continue;
        }
        QString mountPoint = unescapedMountPoint(fields[1]);
        if (!mountPoint.endsWith(u'/')) {
            mountPoint += u'/';
        }
        if (isVolume(mountPoint, fields[2]) && !volumes.contains(mountPoint)) {
            volumes.append(mountPoint);
        }
    }
    std::sort(volumes.begin(), volumes.end());
    volumes.prepend(QStringLiteral("/"));
    return volumes;
}

QStringList mountedDrives() {
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (!mounts.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {QStringLiteral("/")};
    }
    // procfs reports size 0, so read to the end instead of by size.
    return drivesFromMounts(QString::fromUtf8(mounts.readAll()));
}

} // namespace drovane
