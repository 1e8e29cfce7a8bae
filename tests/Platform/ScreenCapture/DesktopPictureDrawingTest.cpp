#include "Platform/ScreenCapture/DesktopPictureDrawing.h"

#include "PictureMeasures.h"
#include "Platform/ScreenCapture/CaptureContent.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using namespace pictures;

struct ColourCase {
    const char* name;
    QColor base;
};

void PrintTo(const ColourCase& c, std::ostream* out) {
    *out << c.name;
}

const ColourCase kColours[] = {{"Blue", QColor(0x3a5a80)},
                               {"Navy", QColor(0x102030)},
                               {"Green", QColor(0x78a03c)},
                               {"Red", QColor(0xc85a3c)},
                               {"Purple", QColor(0x5a3ca0)}};

class DesktopPictureDrawingTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(DesktopPictureDrawingTest, HasDepthRatherThanOneFlatFill) {
    const QImage picture = DesktopPictureDrawing::draw(GetParam().base, 640, 400);
    ASSERT_EQ(picture.size(), QSize(640, 400));
    EXPECT_EQ(picture.format(), CaptureContent::imageFormat);
    EXPECT_GT(distinctColours(picture), 200);
    // Lit from above: the sky is lighter than the nearest hills.
    const QColor sky = meanColour(picture, QRect(0, 100, 640, 40));
    const QColor ground = meanColour(picture, QRect(0, 370, 640, 30));
    EXPECT_GT(sky.lightness(), ground.lightness() + 20);
}

TEST_P(DesktopPictureDrawingTest, NoCornerIsABlockOfOneColour) {
    const QImage picture = DesktopPictureDrawing::draw(GetParam().base, 640, 400);
    for (const QRect quarter : {QRect(0, 0, 160, 100), QRect(480, 0, 160, 100),
                                QRect(0, 300, 160, 100), QRect(480, 300, 160, 100)}) {
        EXPECT_GT(distinctColours(picture, quarter), 20) << quarter.x() << "," << quarter.y();
        EXPECT_LT(meanColour(picture, quarter).lightness(), 235)
            << quarter.x() << "," << quarter.y();
    }
}

TEST_P(DesktopPictureDrawingTest, KeepsTheHueOfItsColour) {
    const QColor base = GetParam().base;
    const QImage picture = DesktopPictureDrawing::draw(base, 640, 400);
    EXPECT_LE(hueDistance(meanColour(picture, picture.rect()), base), 30);
}

TEST_P(DesktopPictureDrawingTest, IsNowhereBlackAsAPictureThatFailedWouldBe) {
    const QImage picture = DesktopPictureDrawing::draw(GetParam().base, 64, 40);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            ASSERT_GT(picture.pixelColor(x, y).value(), 12) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachColour, DesktopPictureDrawingTest, ::testing::ValuesIn(kColours),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DesktopPictureDrawing, EqualColoursGiveEqualPicturesAndOthersOtherHills) {
    const QImage blue = DesktopPictureDrawing::draw(QColor(0x3a5a80), 320, 200);
    EXPECT_EQ(blue, DesktopPictureDrawing::draw(QColor(0x3a5a80), 320, 200));
    const QImage other = DesktopPictureDrawing::draw(QColor(0x3a5a81), 320, 200);
    EXPECT_NE(blue, other);
    // The nearest ridge's outline differs too, not only its shade: compare where it starts.
    const auto crest = [](const QImage& image, int x) {
        int y = image.height() - 1;
        while (y > 0 && image.pixelColor(x, y - 1).lightness() <
                            image.pixelColor(x, image.height() - 1).lightness() + 12) {
            --y;
        }
        return y;
    };
    int differing = 0;
    for (int x = 0; x < 320; x += 20) {
        differing += std::abs(crest(blue, x) - crest(other, x)) > 2 ? 1 : 0;
    }
    EXPECT_GE(differing, 4);
}

TEST(DesktopPictureDrawing, AnySizeDownToOnePixel) {
    for (const QSize size : {QSize(1, 1), QSize(3, 2), QSize(2000, 10)}) {
        const QImage picture =
            DesktopPictureDrawing::draw(QColor(0x3a5a80), size.width(), size.height());
        EXPECT_EQ(picture.size(), size);
        EXPECT_EQ(picture.pixelColor(0, 0).alpha(), 255);
    }
}

} // namespace
} // namespace tessarin
