#pragma once

// The four embedded pictures, loaded once at start-up.

#include <QIcon>

namespace drovane {

struct AppIcons {
    QIcon computer;
    QIcon machine;
    QIcon send;
    QIcon receive;
};

// Takes the pictures from the program's resources; where one is missing a
// plain stand-in keeps the four apart, since the mode is told by the picture.
AppIcons loadAppIcons();

} // namespace drovane
