// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>

#include "ui/forms/form_builder.h"

namespace {

struct FaceCase {
    const char* face;
    const char* substitute;
};

class FaceSubstitution : public testing::TestWithParam<FaceCase> {};

// Each face the layouts name must come out as its installed metric-matched stand-in, not as
// whatever fontconfig picks for an unknown name.
TEST_P(FaceSubstitution, ResolvesToTheInstalledStandIn) {
    const QString substitute = QString::fromUtf8(GetParam().substitute);
    ASSERT_TRUE(QFontDatabase::families().contains(substitute))
        << "font package missing: " << GetParam().substitute;
    const QFont font = tavo::forms::FontFor({GetParam().face, 12, false, false, {}});
    EXPECT_EQ(QFontInfo(font).family(), substitute);
}

INSTANTIATE_TEST_SUITE_P(LayoutFaces, FaceSubstitution,
                         testing::Values(FaceCase{"ＭＳ Ｐ明朝", "IPAPMincho"},
                                         FaceCase{"ＭＳ 明朝", "IPAMincho"},
                                         FaceCase{"ＭＳ Ｐゴシック", "IPAPGothic"},
                                         FaceCase{"Times New Roman", "Liberation Serif"}));

TEST(InstalledFace, NamesTheSubstituteOnceResolved) {
    EXPECT_EQ(tavo::forms::InstalledFace("ＭＳ Ｐ明朝"), "IPAPMincho");
    EXPECT_EQ(tavo::forms::InstalledFace("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(tavo::forms::InstalledFace("IPAGothic"), "IPAGothic") << "installed: kept";
    EXPECT_EQ(tavo::forms::InstalledFace("No Such Face"), "No Such Face");
}

TEST(FontFor, SetsPixelSizeAt96DotsPerInch) {
    const QFont font = tavo::forms::FontFor({"Times New Roman", 14.25, true, true, {}});
    EXPECT_EQ(font.pixelSize(), 19);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.underline());
    EXPECT_EQ(tavo::forms::FontFor({"ＭＳ Ｐゴシック", 9.75, false, false, {}}).pixelSize(), 13);
}

}  // namespace
