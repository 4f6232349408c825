#pragma once

#include <QIcon>
#include <QSize>

namespace drovane {

// The four embedded pictures. The picture of the direction button is the transfer mode, so the
// window compares against these very objects (cacheKey) rather than loading its own copies.
enum class AppIcon { Computer, Machine, Send, Receive };

class AppIcons {
public:
    static const QIcon& iconComputer() { return icon(AppIcon::Computer); }
    static const QIcon& iconMachine() { return icon(AppIcon::Machine); }
    static const QIcon& iconSend() { return icon(AppIcon::Send); }
    static const QIcon& iconReceive() { return icon(AppIcon::Receive); }

    // Loaded on first use (GUI thread, after the QApplication exists), released with it.
    static const QIcon& icon(AppIcon which);
    // The size each picture is drawn for: 32 x 32, or 42 x 32 for the two direction pictures.
    static QSize size(AppIcon which);
    // The resource path, e.g. ":/icons/send.ico".
    static const char* path(AppIcon which);
};

} // namespace drovane
