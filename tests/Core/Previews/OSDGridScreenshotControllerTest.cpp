#include "Core/Previews/OSDGridScreenshotController.h"

#include "Core/Previews/OSDGridScreenshotImage.h"
#include "Core/Previews/OSDGridScreenshotMetrics.h"
#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/ScreenCapture/ScreenCapture.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"
#include "PreviewsWorld.h"
#include "Support/BackgroundWork.h"
#include "Support/Environment.h"

#include <QPainter>
#include <cmath>
#include <unistd.h>

namespace tessarin {
namespace {

using Controller = OSDGridScreenshotController;

QImage filled(QColor color, int width = 320, int height = 180) {
    QImage image(width, height, CaptureContent::imageFormat);
    image.fill(color);
    return image;
}

// The previews world with a window of this program in front of Notes' window on Space 1.
Scenario scenarioWithOwnWindow() {
    Scenario s = previewsScenario();
    const auto pid = static_cast<int32_t>(::getpid());
    s.applications.push_back({pid, "com.tessarin.own", "Own"});
    s.windows.insert(s.windows.begin(),
                     serverWindow(9, pid, "Own", "Panel", {150, 150, 100, 100}, {1}));
    return s;
}

class ScreenshotControllerTest : public PreviewsWorld {
protected:
    ScreenshotControllerTest() : PreviewsWorld(scenarioWithOwnWindow()) {
        host.screenCapture().setExecutor(captures);
    }
    void request() {
        controller.requestCaptureForCurrentSpace([this](auto& c) { updates.push_back(c); });
    }
    void settle() {
        while (captures->pendingCount() > 0 || queue.hasPendingWork()) {
            captures->runAll();
            queue.runUntilIdle();
        }
    }
    std::vector<std::string> metrics() const { return log.messages("ScreenshotMetrics"); }

    std::shared_ptr<ManualExecutor> captures = std::make_shared<ManualExecutor>();
    BackgroundWork work{queue, std::make_shared<ManualExecutor>()};
    Controller controller{work};
    ScopedEnvironmentOverride metricsOn{OSDGridScreenshotMetrics::environmentVariable, "1"};
    ScopedEnvironmentOverride diagnosticsOn{TessarinSpaceDiagnostics::environmentVariable, "1"};
    ScopedLogCapture log;
    std::vector<OSDGridSpaceContext> updates;
    const OSDGridSpaceContext one{"D", 1, 0, 3};
};

TEST_F(ScreenshotControllerTest, RequestsWithoutCaptureOrTargetAreSkipped) {
    host.system().setOperatingSystemVersion({13, 6, 0});
    EXPECT_FALSE(controller.requestCaptureForCurrentSpace()) << "system 13";
    host.system().setOperatingSystemVersion({14, 0, 0});
    controller.captureTargetProvider = [] { return std::nullopt; };
    EXPECT_FALSE(controller.requestCaptureForCurrentSpace()) << "no target";
    const std::string skipped = "event=screen.capture.skipped reason=";
    EXPECT_EQ(metrics(), (std::vector{skipped + "unavailable", skipped + "missing-target"}));
    EXPECT_EQ(host.screenCapture().requestCount(ScreenCaptureOperation::shareableContent), 0);
}

TEST(OSDGridSpaceCaptureTargetTest, NeedsAnIdentifierADisplayAndSaneSpaceInformation) {
    const std::optional<std::string> id = " D\n";
    using Info = TessarinSpaceInfo;
    const auto make = OSDGridSpaceCaptureTarget::make;
    EXPECT_EQ(make(id, 4, Info{1, 3, 7}), (OSDGridSpaceCaptureTarget{{"D", 7, 1, 3}, 4}));
    EXPECT_FALSE(make(" ", 4, Info{1, 3, 7})) << "blank identifier";
    EXPECT_FALSE(make(id, 4, Info{1, 3, 0})) << "no current Space";
    EXPECT_FALSE(make(id, 4, Info{0, 0, 7})) << "no Spaces";
    EXPECT_FALSE(make(id, 4, Info{3, 3, 7})) << "index past the count";
}

TEST_F(ScreenshotControllerTest, ACaptureOnTheHostDrawsTheSpaceWithoutTheProgramsOwnWindows) {
    request();
    settle();
    const auto entry = controller.entry("D", 1);
    ASSERT_TRUE(entry);
    const auto colorAt = [&](int x, int y) { return entry->image.pixelColor(x * 2 / 9, y / 5); };
    EXPECT_EQ(colorAt(200, 200), CaptureContent::windowColor(5, "Notes", "List")) << "own left out";
    EXPECT_EQ(colorAt(600, 480), CaptureContent::windowColor(7, "Mail", "Inbox"));
    EXPECT_EQ(updates, std::vector{one});
    const auto lines = metrics();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "event=screen.capture.requested display=D displayID=1 index=0 space=1");
    EXPECT_NE(lines[1].find("result=success thread=background width=320"), std::string::npos);
    EXPECT_EQ(lines[2], "event=screen.capture.completed display=D durationMs=0.00 image=true "
                        "space=1 stored=true");

    // A capture without an image, or of a display the service does not list, keeps it.
    host.screenCapture().setFault(ScreenCaptureOperation::display, ScreenCaptureFault::noImage);
    for (const auto& [display, result] : {std::pair{1u, "error"}, {99u, "missing-display"}}) {
        controller.captureTargetProvider = [&] { return OSDGridSpaceCaptureTarget{one, display}; };
        log.clear();
        request();
        settle();
        EXPECT_NE(metrics().at(1).find(std::string("result=") + result), std::string::npos);
        EXPECT_NE(metrics().at(2).find("image=false space=1 stored=false"), std::string::npos);
    }
    EXPECT_EQ(controller.entry("D", 1), entry);
    EXPECT_EQ(updates.size(), 1u);
}

TEST_F(ScreenshotControllerTest, OnlyANewPictureOfTheStillCurrentSpaceIsStored) {
    std::vector<Controller::CaptureCompletion> held;
    controller.captureHandler = [&](auto&, auto completion) { held.push_back(completion); };
    request();
    request();
    request();
    queue.advance(0.0125);
    held[0](filled(Qt::red));
    held[1](filled(Qt::red).convertToFormat(QImage::Format_RGB32));
    host.windowServer().setCurrentSpace("D", 2);
    held[2](filled(Qt::blue));
    EXPECT_EQ(controller.entry("D", 1), OSDGridScreenshotEntry{filled(Qt::red)});
    EXPECT_EQ(updates, std::vector{one});
    const auto lines = metrics();
    ASSERT_EQ(lines.size(), 6u);
    const std::string completed = "event=screen.capture.completed display=D durationMs=12.50 ";
    EXPECT_EQ(lines[3], completed + "image=true space=1 stored=true");
    EXPECT_EQ(lines[4], completed + "image=true space=1 stored=false");
    EXPECT_EQ(lines[5], completed + "image=true reason=target-changed space=1 stored=false");

    auto gone = std::make_unique<Controller>(work);
    gone->captureHandler = controller.captureHandler;
    gone->requestCaptureForCurrentSpace();
    gone.reset();
    held.back()(filled(Qt::red));
    EXPECT_EQ(metrics().size(), 7u) << "a completion after its controller went does nothing";
}

TEST(OSDGridScreenshotImageTest, OtherSizesAreStretchedAndBadSizesRefused) {
    QImage halves = filled(Qt::red, 640, 90);
    QPainter(&halves).fillRect(320, 0, 320, 90, Qt::blue);
    const auto stretched = Controller::preparedImage(halves);
    ASSERT_TRUE(stretched);
    EXPECT_EQ(stretched->pixelColor(100, 170), QColor(Qt::red));
    EXPECT_EQ(stretched->pixelColor(220, 10), QColor(Qt::blue));
    const QImage exact = filled(Qt::green);
    EXPECT_EQ(Controller::preparedImage(exact)->cacheKey(), exact.cacheKey());
    EXPECT_FALSE(Controller::preparedImage(QImage()));
    for (const double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 16384.6}) {
        EXPECT_FALSE(OSDGridScreenshotImage::makeBitmap(bad, 10) ||
                     OSDGridScreenshotImage::makeBitmap(10, bad));
    }
    EXPECT_EQ(OSDGridScreenshotImage::makeBitmap(-3, 319.6)->size(), QSize(1, 320));
}

TEST(OSDGridScreenshotMetricsTest, EnabledByTheSwitchAndWrittenInKeyOrder) {
    const std::pair<std::optional<std::string>, bool> cases[] = {
        {" YES ", true}, {"2", false}, {"", false}, {std::nullopt, false}};
    for (const auto& [value, enabled] : cases) {
        ScopedEnvironmentOverride set(OSDGridScreenshotMetrics::environmentVariable, value);
        EXPECT_EQ(OSDGridScreenshotMetrics::isEnabled(), enabled) << value.value_or("unset");
    }
    EXPECT_EQ((OSDGridScreenshotMetricEvent{"x.y", {}}.logMessage()), "event=x.y");
}

TEST_F(ScreenshotControllerTest, EntriesAreReadAndMovedByDisplayAndSpace) {
    ASSERT_TRUE(controller.record(filled(Qt::red), one));
    ASSERT_TRUE(controller.record(filled(Qt::blue), {"D", 2, 1, 3}));
    EXPECT_FALSE(controller.entry("", 1) || controller.entry("D", 0) || controller.entry("E", 1));
    EXPECT_EQ(controller.screenshotMap("D", {0, 1, 3, 2}),
              (std::map<int64_t, OSDGridScreenshotEntry>{{1, {filled(Qt::red)}},
                                                         {3, {filled(Qt::blue)}}}));
    log.clear();
    controller.remapSpaceIDs({{0, 2}, {2, 0}, {1, 1}, {9, 4}}, "D");
    controller.remapSpaceIDs({{1, 2}}, " D");
    EXPECT_TRUE(log.messages(TessarinSpaceDiagnostics::category).empty()) << "nothing moved";
    controller.remapSpaceIDs({{1, 2}}, "D");
    EXPECT_FALSE(controller.entry("D", 1));
    EXPECT_EQ(controller.entry("D", 2), OSDGridScreenshotEntry{filled(Qt::red)}) << "replaced";
    EXPECT_EQ(log.messages(TessarinSpaceDiagnostics::category).size(), 1u);
}

} // namespace
} // namespace tessarin
