#include "Platform/WindowCapture/WindowImageCapture.h"
#include "UI/OSD/OSDWindowTestSupport.h"

#include <QCoreApplication>
#include <QImage>
#include <filesystem>

namespace tessarin::testing {
namespace {

class OSDWindowSnapshotTest : public OSDWindowTest {
protected:
    OSDWindowSnapshotTest() {
        folder =
            std::filesystem::temp_directory_path() /
            ("osd-snapshot-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
    }
    ~OSDWindowSnapshotTest() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
};

// The share of a picture's pixels that are close to pure red.
double redShare(const QImage& image) {
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor color = image.pixelColor(x, y);
            red += color.red() > 200 && color.green() < 60 && color.blue() < 60 ? 1 : 0;
        }
    }
    return static_cast<double>(red) / (image.width() * image.height());
}

// Red cells for the first picture, green ones for the one written over it.
TEST_F(OSDWindowSnapshotTest, WritesWhatThePanelShowsIntoNewFoldersAndReplacesOldFiles) {
    const auto path = folder / "nested" / "deeper" / "osd.png";
    for (const QColor color : {QColor(Qt::red), QColor(Qt::green)}) {
        show(makeModel({.spaceCount = 2,
                        .columnCount = 2,
                        .cellScreenshots = {{0, screenshot(color)}, {1, screenshot(color)}}}));
        ASSERT_FALSE(window.writeVisibleGridSnapshot(path).has_value());
        QImage image(QString::fromStdString(path.string()), "PNG");
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width() / image.devicePixelRatio(), panel().width());
        EXPECT_EQ(redShare(image) > 0.2, color == Qt::red) << redShare(image);
    }
}

TEST_F(OSDWindowSnapshotTest, NothingVisibleMakesNoFolder) {
    const auto path = folder / "osd.png";
    auto failure = window.writeVisibleGridSnapshot(path);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->error, OSDWindowSnapshotError::noVisibleGridWindow);
    show(plainModel(4, 2));
    window.suspendForSyntheticEventPosting();
    failure = window.writeVisibleGridSnapshot(path);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->error, OSDWindowSnapshotError::noVisibleGridWindow);
    EXPECT_FALSE(std::filesystem::exists(folder));
}

// What the snapshot falls back on when the panel's own drawing gives nothing.
TEST_F(OSDWindowSnapshotTest, TheWindowServerPicturesAShownPanelByItsNumberOnly) {
    show(plainModel(4, 2));
    // The window system composites the shown panel on its own turn.
    QCoreApplication::processEvents();
    const WindowID number = panel().windowNumber();
    const uint32_t imageOptions =
        WindowImageOption::boundsIgnoreFraming | WindowImageOption::bestResolution;
    WindowImageCapture& capture = host.windowImages();
    const auto image = capture.createImage(WindowListOption::includingWindow, number, imageOptions);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width() / image->devicePixelRatio(), panel().width());
    EXPECT_FALSE(capture.createImage(WindowListOption::onScreenOnly, number, imageOptions));
    EXPECT_FALSE(capture.createImage(WindowListOption::includingWindow, number + 1, imageOptions));
    capture.setCapturesRefused(true);
    EXPECT_FALSE(capture.createImage(WindowListOption::includingWindow, number, imageOptions));
    capture.setCapturesRefused(false);
    window.hide(0);
    queue.advance(0.1);
    EXPECT_FALSE(capture.createImage(WindowListOption::includingWindow, number, imageOptions));
}

} // namespace
} // namespace tessarin::testing
