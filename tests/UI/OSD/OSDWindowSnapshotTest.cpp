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

// What the panel shows, in two sizes, the second written over the first.
TEST_F(OSDWindowSnapshotTest, WritesWhatThePanelShowsIntoNewFoldersAndReplacesOldFiles) {
    const auto path = folder / "nested" / "deeper" / "osd.png";
    for (const OSDGridModel& model : {plainModel(4, 2), plainModel(9, 3)}) {
        show(model);
        ASSERT_FALSE(window.writeVisibleGridSnapshot(path).has_value());
        const QImage image(QString::fromStdString(path.string()), "PNG");
        EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32),
                  panel().grab().toImage().convertToFormat(QImage::Format_ARGB32));
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
