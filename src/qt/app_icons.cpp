#include "qt/app_icons.h"

#include "qt/embedded_resources.h"

#include <QCoreApplication>

#include <array>
#include <cstddef>
#include <optional>

namespace drovane {

namespace {

struct IconEntry {
    AppIcon id{};
    const char* path{};
    QSize size;
};

// The numbers 0-3 the pictures have always had, in the order of the enum.
constexpr std::array<IconEntry, 4> iconTable{{
    {AppIcon::Computer, ":/icons/computer.ico", QSize(32, 32)},
    {AppIcon::Machine, ":/icons/machine.ico", QSize(32, 32)},
    {AppIcon::Send, ":/icons/send.ico", QSize(42, 32)},
    {AppIcon::Receive, ":/icons/receive.ico", QSize(42, 32)},
}};

constexpr bool tableFollowsEnum() {
    for (std::size_t i = 0; i < iconTable.size(); ++i) {
        if (static_cast<std::size_t>(iconTable.at(i).id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(tableFollowsEnum(), "iconTable must list the icons in the order of AppIcon");

std::size_t indexOf(AppIcon which) {
    return static_cast<std::size_t>(which);
}

using IconSet = std::array<QIcon, iconTable.size()>;

// Pixmaps must not outlive the application object, so the set is dropped with it (and loaded
// afresh should another one be created, as the tests do).
std::optional<IconSet>& loadedIcons() {
    static std::optional<IconSet> icons;
    return icons;
}

void dropIcons() {
    loadedIcons().reset();
}

const IconSet& iconSet() {
    auto& icons = loadedIcons();
    if (!icons) {
        registerEmbeddedResources();
        IconSet set;
        for (std::size_t i = 0; i < iconTable.size(); ++i) {
            set.at(i) = QIcon(QString::fromLatin1(iconTable.at(i).path));
        }
        icons = std::move(set);
        qAddPostRoutine(dropIcons);
    }
    return *icons;
}

} // namespace

const QIcon& AppIcons::icon(AppIcon which) {
    return iconSet().at(indexOf(which));
}

QSize AppIcons::size(AppIcon which) {
    return iconTable.at(indexOf(which)).size;
}

const char* AppIcons::path(AppIcon which) {
    return iconTable.at(indexOf(which)).path;
}

} // namespace drovane
