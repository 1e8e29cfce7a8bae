#include "Platform/ScreenCapture/ApplicationIconDrawing.h"

#include "PictureMeasures.h"
#include "Platform/ScreenCapture/CaptureContent.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using namespace pictures;

// Which pixels of the icon are the light glyph.
std::vector<bool> glyphMask(const QImage& icon) {
    std::vector<bool> mask;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            mask.push_back(icon.pixelColor(x, y).lightness() > 215);
        }
    }
    return mask;
}

struct ColourCase {
    const char* name;
    QColor base;
};

void PrintTo(const ColourCase& c, std::ostream* out) {
    *out << c.name;
}

const ColourCase kColours[] = {{"Red", QColor(0xc03030)},    {"Green", QColor(0x30a040)},
                               {"Blue", QColor(0x3060c0)},   {"Orange", QColor(0xe08020)},
                               {"Violet", QColor(0x8040c0)}, {"Dark", QColor(0x283040)}};

class ApplicationIconDrawingTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ApplicationIconDrawingTest, IsARoundedSquareOfItsColourWithALightGlyph) {
    const QColor base = GetParam().base;
    const QImage icon = ApplicationIconDrawing::draw(base, 128);
    ASSERT_EQ(icon.size(), QSize(128, 128));
    EXPECT_EQ(icon.format(), CaptureContent::imageFormat);
    // Rounded: the corners are clear, the edges' middles are not.
    for (const QPoint corner : {QPoint(9, 9), QPoint(118, 9), QPoint(9, 118), QPoint(118, 118)}) {
        EXPECT_EQ(icon.pixelColor(corner).alpha(), 0) << corner.x() << "," << corner.y();
    }
    for (const QPoint edge : {QPoint(64, 10), QPoint(10, 64), QPoint(117, 64), QPoint(64, 117)}) {
        EXPECT_EQ(icon.pixelColor(edge).alpha(), 255) << edge.x() << "," << edge.y();
        EXPECT_LE(hueDistance(icon.pixelColor(edge), base), 12) << edge.x() << "," << edge.y();
    }
    const auto mask = glyphMask(icon);
    const auto light = std::count(mask.begin(), mask.end(), true);
    EXPECT_GT(light, 128 * 128 / 20) << "a glyph of some size";
    EXPECT_LT(light, 128 * 128 / 3);
}

TEST_P(ApplicationIconDrawingTest, HasNoLightBlockInItsTopLeftQuarter) {
    const QImage icon = ApplicationIconDrawing::draw(GetParam().base, 128);
    const QColor quarter = meanColour(icon, QRect(0, 0, 64, 64));
    EXPECT_LT(quarter.lightness(), 200);
    EXPECT_GT(distinctColours(icon, QRect(0, 0, 64, 64)), 20);
}

INSTANTIATE_TEST_SUITE_P(EachColour, ApplicationIconDrawingTest, ::testing::ValuesIn(kColours),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ApplicationIconDrawing, ApplicationsOfOtherColoursGetOtherGlyphs) {
    std::set<std::vector<bool>> glyphs;
    for (const ColourCase& c : kColours) {
        glyphs.insert(glyphMask(ApplicationIconDrawing::draw(c.base, 48)));
    }
    EXPECT_GE(glyphs.size(), 4u);
}

TEST(ApplicationIconDrawing, EqualColoursGiveEqualIconsAtAnySize) {
    EXPECT_EQ(ApplicationIconDrawing::draw(QColor(0x3060c0), 64),
              ApplicationIconDrawing::draw(QColor(0x3060c0), 64));
    for (const int size : {1, 2, 16, 1024}) {
        EXPECT_EQ(ApplicationIconDrawing::draw(QColor(0x3060c0), size).size(), QSize(size, size));
    }
}

} // namespace
} // namespace tessarin
