// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <set>

#include "ui/icons/pictures.h"

namespace {

// The standard 16-colour palette the pictures may use.
const std::set<QRgb> kPalette{
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

class Icon : public testing::TestWithParam<const char*> {};

TEST_P(Icon, IsAnOpaque32By32PictureInThe16ColourPalette) {
    const QImage image = tavo::icons::Picture(GetParam()).toImage();
    ASSERT_FALSE(image.isNull()) << GetParam();
    EXPECT_EQ(image.size(), QSize(32, 32));
    std::set<QRgb> used;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            EXPECT_EQ(qAlpha(pixel), 255) << x << "," << y;
            used.insert(qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)));
        }
    }
    for (const QRgb colour : used) {
        EXPECT_TRUE(kPalette.count(colour) == 1) << QColor(colour).name().toStdString();
    }
    EXPECT_GE(used.size(), 3U) << "a picture, not a flat square";
}

INSTANTIATE_TEST_SUITE_P(AllSix, Icon,
                         testing::Values("emblem", "length", "weight", "square", "volume",
                                         "about"));

TEST(Icon, AnUnknownNameGivesNoPicture) {
    EXPECT_TRUE(tavo::icons::Picture("ruler").isNull());
}

}  // namespace
