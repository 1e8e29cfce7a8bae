#include "UI/OSD/OSDVisualPreviewFixture.h"

#include "UI/OSD/OSDWindowTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tessarin::testing {
namespace {

// The icons' letters need the toolkit's fonts.
class OSDVisualPreviewFixtureTest : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }
};

TEST_F(OSDVisualPreviewFixtureTest, TheSampleIsAFullThreeColumnGridOfNineSpaces) {
    const OSDGridModel& model = OSDVisualPreviewFixture::model();
    EXPECT_EQ(model.spaceCount(), 9);
    EXPECT_EQ(model.activeIndex(), 3);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.title(), "query-monorepo");
    EXPECT_EQ(model.cellScreenshots().size(), 9u);
    EXPECT_TRUE(model.placeholderIndices().empty() && model.obscuredIndices().empty() &&
                model.virtualDestinationIndices().empty());
}

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

} // namespace
} // namespace tessarin::testing
