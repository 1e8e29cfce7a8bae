#include "Core/Previews/OSDGridWindowSpaceController.h"
#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/ScreenCapture/DesktopPictures.h"
#include "Platform/ScreenCapture/ScreenCapture.h"
#include "PreviewsWorld.h"
#include "Support/BackgroundWork.h"
#include "Support/Environment.h"
#include "Support/Logger.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Controller = OSDGridWindowSpaceController;

// The default capture handler on the simulated host, its captures and compositions held on one
// executor the test runs. On the 1440 x 900 display the canvas draws at 0.2 from x = 16, so
// window 5 (Space 1) covers canvas pixel (76, 50) and window 6 (Space 2) pixel (66, 40).
class CompositeCaptureTest : public PreviewsWorld {
protected:
    CompositeCaptureTest() {
        host.screenCapture().setExecutor(executor);
        controller.previewCaptureHandler = Controller::defaultPreviewCaptureHandler(work);
        controller.refreshMetadata(snapshotOf("D", {1, 2, 3}));
    }

    std::vector<bool> capture(std::set<SpaceID> spaces, bool force = false) {
        std::vector<bool> stored;
        controller.requestPreviewCaptures(snapshotOf("D", {1, 2, 3}), "D",
                                          host.displays().screens().at(0), spaces, true, force, {},
                                          {}, [&](const auto&, bool s) { stored.push_back(s); });
        for (int turn = 0; turn < 100 && (executor->pendingCount() > 0 || queue.hasPendingWork());
             ++turn) {
            executor->runAll();
            queue.runUntilIdle();
        }
        return stored;
    }
    QColor pixel(SpaceID space, int x, int y) const {
        const auto previews = controller.previewMap("D", {space});
        return previews.empty() ? QColor() : previews.at(0).image.pixelColor(x, y);
    }

    ScopedEnvironmentOverride metricsOn{"TESSARIN_SCREENSHOT_METRICS", "1"};
    ScopedLogCapture log;
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    BackgroundWork work{queue, executor};
    Controller controller{[] { return OSDAppFilter(); }};
};

TEST_F(CompositeCaptureTest, EachSpaceShowsItsOwnWindowOverTheDesktopPicture) {
    EXPECT_EQ(capture({1, 2}), (std::vector<bool>{true, true}));
    EXPECT_EQ(pixel(1, 76, 50), CaptureContent::windowColor(5, "Notes", "List"));
    EXPECT_EQ(pixel(2, 66, 40), CaptureContent::windowColor(6, "Notes", "Draft"));
    const QImage desktop = host.desktopPictures().picture("D").value();
    EXPECT_EQ(pixel(2, 300, 170), desktop.pixelColor(desktop.width() - 10, desktop.height() - 10));
    EXPECT_EQ(log.messages("ScreenshotMetrics").back().substr(0, 80),
              "event=window.preview.completed candidates=1 display=D durationMs=0.00 image=true");
}

TEST_F(CompositeCaptureTest, UnreadableContentKeepsThePreviewAndMissingWindowsLeaveTheDesktop) {
    ASSERT_EQ(capture({1}), std::vector<bool>{true});
    host.screenCapture().setFault(ScreenCaptureOperation::shareableContent,
                                  ScreenCaptureFault::error);
    EXPECT_EQ(capture({1}, true), std::vector<bool>{false});
    EXPECT_EQ(pixel(1, 76, 50), CaptureContent::windowColor(5, "Notes", "List"));
    host.screenCapture().setFault(ScreenCaptureOperation::shareableContent, std::nullopt);
    host.screenCapture().setFault(ScreenCaptureOperation::window, ScreenCaptureFault::noImage);
    EXPECT_EQ(capture({1}, true), std::vector<bool>{true});
    EXPECT_NE(pixel(1, 76, 50), CaptureContent::windowColor(5, "Notes", "List"));
    const auto lines = log.messages("ScreenshotMetrics");
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "event=window.capture.composited capturedWindows=0 durationMs=0.00 "
                        "requestedWindows=1 result=error"),
              lines.end());
}

} // namespace
} // namespace tessarin
