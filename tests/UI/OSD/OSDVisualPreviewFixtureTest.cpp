#include "UI/OSD/OSDVisualPreviewFixture.h"

#include "UI/OSD/OSDGridWindowMetrics.h"
#include "UI/OSD/OSDWindowTestSupport.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tessarin::testing {
namespace {

// The icons' letters need the toolkit's fonts.
class OSDVisualPreviewFixtureTest : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }
};

TEST_F(OSDVisualPreviewFixtureTest, TheDimmedCodeWindowDiffersOnlyInItsCodeLines) {
    const QImage active = OSDVisualPreviewFixture::codeScreenshot(true);
    const QImage dimmed = OSDVisualPreviewFixture::codeScreenshot(false);
    ASSERT_EQ(active.size(), QSize(320, 180));
    QRect changed;
    for (int y = 0; y < active.height(); ++y) {
        for (int x = 0; x < active.width(); ++x) {
            if (active.pixel(x, y) != dimmed.pixel(x, y)) {
                changed |= QRect(x, y, 1, 1);
            }
        }
    }
    // The lines start at x 82 and fill rows 42 to 140 from the bottom.
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_GE(changed.left(), 82);
    EXPECT_GE(changed.top(), 180 - 140);
    EXPECT_LE(changed.bottom(), 180 - 42);
}

TEST_F(OSDWindowTest, TheSampleGridWritesItsPictureAsPNG) {
    OSDVisualPreviewFixture::show(window, std::string("UUID-A"));
    queue.advance(0.1);
    QTemporaryDir folder;
    const std::string path = folder.filePath("fixture.png").toStdString();
    ASSERT_FALSE(window.writeVisibleGridSnapshot(path).has_value());
    const QImage image(QString::fromStdString(path), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width() / image.devicePixelRatio(), panel().width());
    EXPECT_EQ(window.currentGridModel(std::string("UUID-A")), OSDVisualPreviewFixture::model());
}

// Clicks, drags and keys are taken and leave the grid up; Escape hides it.
TEST_F(OSDWindowTest, TheSampleGridTakesEditsAndStaysUntilCancelled) {
    host.defaults().set("osdGridSize", PropertyValue("medium")); // the sample keeps its own size
    host.defaults().set("osdDurationMs", PropertyValue(int64_t{150}));
    OSDVisualPreviewFixture::show(window, std::string("UUID-A"));
    const OSDGridWindowParts& grid = *window.primaryGrid();
    EXPECT_EQ(panel().hostFrame().size,
              OSDGridWindowMetrics::windowSize(OSDVisualPreviewFixture::model(), OSDGridSize::large,
                                               true, grid.renderingInset()));
    EXPECT_TRUE(grid.footerLabel->isVisible());
    EXPECT_EQ(grid.footerLabel->text().toStdString(), "Select or drag to re-arrange");
    EXPECT_FALSE(grid.gridView->activeSpaceAnimationEnabled);
    EXPECT_FALSE(panel().ignoresMouseEvents());
    const QPoint centre = grid.gridView->rect().center();
    QTest::mouseClick(grid.gridView, Qt::LeftButton, {}, centre);
    QTest::mousePress(grid.gridView, Qt::LeftButton, {}, centre);
    QTest::mouseMove(grid.gridView, centre + QPoint(120, 0));
    QTest::mouseRelease(grid.gridView, Qt::LeftButton, {}, centre + QPoint(120, 0));
    QTest::keyClick(&panel(), Qt::Key_Right);
    QTest::keyClick(&panel(), Qt::Key_Return);
    queue.advance(5);
    EXPECT_TRUE(window.isGridVisible("UUID-A"));
    QTest::keyClick(&panel(), Qt::Key_Escape);
    queue.advance(OSDVisualPreviewFixture::cancelFadeDuration);
    EXPECT_TRUE(window.visibleGridDisplayIdentifiers().empty());
}

} // namespace
} // namespace tessarin::testing
