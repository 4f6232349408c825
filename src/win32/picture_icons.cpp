#include "win32/picture_icons.h"

#include "win32/resource_ids.h"

#include <array>

namespace drovane {
namespace {

struct PictureResource {
    Picture picture;
    int resource;
    int width;
    int height;
};

constexpr std::array pictureResources{
    PictureResource{Picture::Computer, DROVANE_ICON_COMPUTER, 32, 32},
    PictureResource{Picture::Machine, DROVANE_ICON_MACHINE, 32, 32},
    PictureResource{Picture::Send, DROVANE_ICON_SEND, 42, 32},
    PictureResource{Picture::Receive, DROVANE_ICON_RECEIVE, 42, 32},
};

} // namespace

HICON pictureIcon(HINSTANCE instance, Picture picture) {
    for (const PictureResource& row : pictureResources) {
        if (row.picture == picture) {
            return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(row.resource),
                                                 IMAGE_ICON, row.width, row.height, LR_SHARED));
        }
    }
    return nullptr;
}

} // namespace drovane
