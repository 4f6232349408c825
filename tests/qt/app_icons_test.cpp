#include "qt/app_icons.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace drovane {
namespace {

constexpr std::array allIcons{AppIcon::Computer, AppIcon::Machine, AppIcon::Send, AppIcon::Receive};

QImage readIcon(AppIcon which) {
    QImageReader reader(QString::fromLatin1(AppIcons::path(which)));
    return reader.read();
}

int opaqueCount(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        }
    }
    return count;
}

bool isGreyish(QRgb pixel) {
    const int hi = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    const int lo = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    return hi - lo <= 24;
}

bool isBrown(QRgb pixel) {
    return qAlpha(pixel) >= 200 && qRed(pixel) - qBlue(pixel) >= 50 && qRed(pixel) > qGreen(pixel);
}

int brownInColumn(const QImage& image, int x) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        count += isBrown(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

// Heights of the arrow at its left and right ends, one column in from the anti-aliased edge.
std::pair<int, int> arrowEndHeights(const QImage& image) {
    int first = image.width();
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (brownInColumn(image, x) > 0) {
            first = std::min(first, x);
            last = x;
        }
    }
    if (last < 0) {
        return {0, 0};
    }
    return {brownInColumn(image, first + 1), brownInColumn(image, last - 1)};
}

TEST(AppIconsTest, EachIconIsOneImageOfItsSizeWithRealTransparency) {
    for (const AppIcon which : allIcons) {
        SCOPED_TRACE(AppIcons::path(which));
        QImageReader reader(QString::fromLatin1(AppIcons::path(which)));
        ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
        EXPECT_EQ(reader.imageCount(), 1);
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), AppIcons::size(which));
        EXPECT_EQ(image.depth(), 32);
        ASSERT_TRUE(image.hasAlphaChannel());
        // the corners are see-through, the picture itself is solid
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
        EXPECT_GT(opaqueCount(image), image.width() * image.height() / 3);
    }
}

TEST(AppIconsTest, AccessorsHandOutTheLoadedPicturesAtTheirSizes) {
    const std::array<const QIcon*, 4> named{&AppIcons::iconComputer(), &AppIcons::iconMachine(),
                                            &AppIcons::iconSend(), &AppIcons::iconReceive()};
    for (std::size_t i = 0; i < allIcons.size(); ++i) {
        const AppIcon which = allIcons.at(i);
        SCOPED_TRACE(AppIcons::path(which));
        const QIcon& icon = AppIcons::icon(which);
        EXPECT_EQ(named.at(i), &icon) << "named accessor and icon() must be the same object";
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(icon.availableSizes().contains(AppIcons::size(which)));
        const QPixmap pixmap = icon.pixmap(AppIcons::size(which));
        EXPECT_EQ(pixmap.size(), AppIcons::size(which));
        EXPECT_TRUE(pixmap.hasAlphaChannel());
        EXPECT_EQ(pixmap.toImage().convertToFormat(QImage::Format_ARGB32),
                  readIcon(which).convertToFormat(QImage::Format_ARGB32));
    }
    // loaded once: later calls give the same objects
    EXPECT_EQ(&AppIcons::iconSend(), &AppIcons::icon(AppIcon::Send));
    EXPECT_NE(AppIcons::iconSend().cacheKey(), AppIcons::iconReceive().cacheKey());
}

TEST(AppIconsTest, PicturesShowTheirSubjects) {
    const QImage computer = readIcon(AppIcon::Computer);
    const QImage machine = readIcon(AppIcon::Machine);
    for (const QImage* image : {&computer, &machine}) {
        int grey = 0;
        int solid = 0;
        for (int y = 0; y < image->height(); ++y) {
            for (int x = 0; x < image->width(); ++x) {
                const QRgb pixel = image->pixel(x, y);
                if (qAlpha(pixel) == 255) {
                    ++solid;
                    grey += isGreyish(pixel) ? 1 : 0;
                }
            }
        }
        EXPECT_GE(grey * 100, solid * 95) << "both are grey pictures";
    }
    // the gear wheel has a hole in its hub, the tower a solid front
    EXPECT_EQ(qAlpha(machine.pixel(15, 15)), 0);
    EXPECT_EQ(qAlpha(computer.pixel(15, 15)), 255);

    // the arrow's blunt end is tall, its point short: send points right, receive left
    const auto [sendLeft, sendRight] = arrowEndHeights(readIcon(AppIcon::Send));
    EXPECT_GE(sendLeft, 6);
    EXPECT_LE(sendRight, 3);
    const auto [receiveLeft, receiveRight] = arrowEndHeights(readIcon(AppIcon::Receive));
    EXPECT_LE(receiveLeft, 3);
    EXPECT_GE(receiveRight, 6);
}

} // namespace
} // namespace drovane
