#include "UI/OSD/OSDGridCellStyle.h"

#include "UI/OSD/OSDGridCanvas.h"
#include "UI/OSD/OSDGridCellPainter.h"
#include "UI/OSD/OSDGridCellTitleStyle.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QPainter>
#include <QRawFont>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Kind = OSDGridCellAppearance::Kind;

TEST(OSDGridCellStyleTest, BadgesSitInTheBottomRightCornerAndGrowWithTheCell) {
    struct Case {
        const char* name;
        Rect cell;
        double side, inset;
    };
    for (const Case& c : {Case{"100-point cell", {0, 0, 178, 100}, 29, 7},
                          Case{"minimum side", {0, 0, 71, 40}, 18, 2.8},
                          Case{"maximum side", {0, 0, 400, 225}, 52, 15.75}}) {
        SCOPED_TRACE(c.name);
        const auto frames = OSDGridCellStyle::screenshotBadgeStackFrames(c.cell, 1);
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_TRUE(approximatelyEqual(
            frames[0], {c.cell.maxX() - c.side - c.inset, c.inset, c.side, c.side}, 1e-9));
    }
}

TEST(OSDGridCellStyleTest, AStackOverlapsLeftwardsAndStopsAtThree) {
    const Rect cell{0, 0, 178, 100};
    EXPECT_TRUE(OSDGridCellStyle::screenshotBadgeStackFrames(cell, 0).empty());
    const auto frames = OSDGridCellStyle::screenshotBadgeStackFrames(cell, 4);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[2], OSDGridCellStyle::screenshotBadgeStackFrames(cell, 1)[0]);
    EXPECT_NEAR(frames[2].minX() - frames[1].minX(), 29 * 0.46, 1e-9);
}

TEST(OSDGridCellStyleTest, IconFrameFillsAndCentresOrKeepsTheRectangle) {
    const Rect rect{10, 10, 160, 90};
    EXPECT_EQ(OSDGridCellStyle::iconFrame({0, 10}, rect), rect);
    EXPECT_EQ(OSDGridCellStyle::iconFrame({10, 10}, {0, 0, 0, 5}), (Rect{0, 0, 0, 5}));
    EXPECT_EQ(OSDGridCellStyle::iconFrame({10, 10}, rect), (Rect{10, -25, 160, 160}));
}

TEST(OSDGridCellStyleTest, CornersRoundWithinEightToTwelvePoints) {
    EXPECT_EQ(OSDGridCellStyle::cornerRadius({0, 0, 160, 90}, Kind::activeScreenshot), 8);
    EXPECT_EQ(OSDGridCellStyle::cornerRadius({0, 0, 300, 168.75}, Kind::activeIcon), 12);
    EXPECT_NEAR(OSDGridCellStyle::cornerRadius({0, 0, 200, 112.5}, std::nullopt), 10.125, 1e-9);
    EXPECT_NEAR(OSDGridCellStyle::cornerRadius({0, 0, 200, 112.5}, Kind::inactiveScreenshot),
                8.4375, 1e-9);
}

TEST(OSDGridCellStyleTest, TitleColourFollowsActivityAndSizeIsCapped) {
    testing::ensureApplication();
    const auto active = OSDGridCellTitleStyle::attributes(true, 1);
    const auto inactive = OSDGridCellTitleStyle::attributes(false, 3);
    EXPECT_NEAR(active.color.alphaF(), 0.94, 1e-3);
    EXPECT_NEAR(inactive.color.alphaF(), 0.8, 1e-3);
    EXPECT_NEAR(QRawFont::fromFont(active.font).pixelSize(), 9.5, 0.5);
    EXPECT_NEAR(QRawFont::fromFont(inactive.font).pixelSize(), 11.5, 0.5);
    EXPECT_EQ(active.shadowColor, inactive.shadowColor);
}

TEST(OSDGridCellStyleTest, TitleShadowSpreadsByItsBlur) {
    testing::ensureApplication();
    const Rect cell{0, 0, 178, 100};
    // The shadow alone (the text itself clear), a point left of where the title starts.
    const auto alphaBesideTitle = [&cell](double blur) {
        QImage image(178, 100, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        auto attributes = OSDGridCellTitleStyle::attributes(true, 1);
        attributes.color = Qt::transparent;
        attributes.shadowBlur = blur;
        OSDGridCellPainter::drawTitle({painter, 100}, "Inbox", cell, 0, attributes);
        painter.end();
        const int left = static_cast<int>(OSDGridCellPainter::titleFrame(cell, 0, 9.5).minX());
        int alpha = 0;
        for (int y = 0; y < image.height(); ++y) {
            alpha = std::max(alpha, image.pixelColor(left - 1, y).alpha());
        }
        return alpha;
    };
    EXPECT_EQ(alphaBesideTitle(0), 0);
    EXPECT_GT(alphaBesideTitle(OSDGridCellTitleStyle::attributes(true, 1).shadowBlur), 8);
}

TEST(OSDGridCellStyleTest, TitleStopsShortOfTheBadges) {
    const Rect cell{0, 0, 178, 100};
    const auto badges = OSDGridCellStyle::screenshotBadgeStackFrames(cell, 3);
    const Rect title = OSDGridCellPainter::titleFrame(cell, 3, 9.5);
    EXPECT_EQ(title.maxX(), std::ceil(badges[0].minX() - 100 * 0.055));
    EXPECT_EQ(title.minX(), std::floor(100 * 0.058));
    // Badges reaching past the title's left edge leave it no width at all.
    EXPECT_EQ(OSDGridCellPainter::titleFrame({0, 0, 40, 40}, 3, 9.5).width(), 0);
}

TEST(OSDGridCellStyleTest, ASquareBadgeImageCoversItsBadgeToTheEdges) {
    QImage target(100, 100, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    QPainter painter(&target);
    const OSDGridCanvas canvas(painter, 100);
    const Rect badge{20, 20, 50, 50};
    OSDGridCellStyle::drawScreenshotBadge(testing::solidImage(Qt::green, 8, 8), badge, canvas);
    painter.end();
    // Just inside the rounded edge the image, not the dark badge background, shows.
    EXPECT_EQ(target.pixelColor(45, 100 - 1 - 22), QColor(Qt::green));
    EXPECT_EQ(target.pixelColor(22, 100 - 1 - 45), QColor(Qt::green));
    // Outside the rounded corner nothing of the image shows.
    EXPECT_NE(target.pixelColor(20, 100 - 1 - 20), QColor(Qt::green));
}

} // namespace
} // namespace tessarin
