#include "Core/Previews/OSDGridPreviewCaptureQueue.h"
#include "Core/Previews/OSDGridWindowSpaceController.h"
#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/ScreenCapture/CaptureContent.h"
#include "Platform/ScreenCapture/DesktopPictureDrawing.h"
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

QImage picture(const QColor& color) {
    return DesktopPictureDrawing::draw(color, 32, 18);
}

// On the host's window list: Space 1 may draw window 5 (Notes), Space 2 window 6 (Notes),
// Space 3 nothing. Captures go to a handler that keeps their completions until the test answers.
struct CaptureBench {
    CaptureBench() {
        controller.previewCaptureAvailabilityProvider = [this] { return available; };
        controller.previewCaptureHandler = [this](const auto& candidates, const auto&, const auto&,
                                                  auto completion) {
            handled.push_back(candidates);
            completions.push_back(std::move(completion));
        };
        controller.refreshMetadata(snapshotOf("D", {1, 2, 3}));
    }

    std::vector<OSDGridSpaceContext> request(std::set<SpaceID> spaces, bool force = false) {
        const auto note = [this](std::string what, const OSDGridSpaceContext& c) {
            calls.push_back(what + " " + std::to_string(c.spaceID));
        };
        return controller.requestPreviewCaptures(
            snapshotOf(spaceDisplay, {1, 2, 3}), "D", std::nullopt, spaces, enabled, force,
            [=](const auto& c) { note("request", c); }, [=](const auto& c) { note("update", c); },
            [=](const auto& c, bool stored) { note(stored ? "stored" : "kept", c); });
    }
    void store(SpaceID space, bool force = false) {
        request({space}, force);
        completions.back()(picture(Qt::red));
    }

    OSDAppFilter filter;
    std::string spaceDisplay = "D";
    bool enabled = true;
    bool available = true;
    Controller controller{[this] { return filter; }};
    std::vector<std::vector<OSDGridWindowPreviewCandidate>> handled;
    std::vector<Controller::PreviewCaptureCompletion> completions;
    std::vector<std::string> calls;
};

class MetricsWorld : public PreviewsWorld {
protected:
    std::vector<std::string> metrics() const { return log.messages("ScreenshotMetrics"); }

    ScopedEnvironmentOverride metricsOn{"TESSARIN_SCREENSHOT_METRICS", "1"};
    ScopedLogCapture log;
};

class PreviewCaptureTest : public MetricsWorld {
protected:
    CaptureBench bench;
    Controller& controller = bench.controller;
};

struct SkipCase {
    const char* name;
    std::function<void(CaptureBench&)> before;
    SpaceID space;
    bool force;
    const char* line;
};

TEST_F(PreviewCaptureTest, EachSkipWritesItsReasonAndStartsNothing) {
    const std::vector<SkipCase> cases{
        {"previews off", [](auto& t) { t.enabled = false; }, 1, false,
         "event=window.preview.skipped display=D reason=disabled"},
        {"no metadata of the Space display", [](auto& t) { t.spaceDisplay = "E"; }, 1, true,
         "event=window.preview.skipped display=D reason=missing-cache"},
        {"a Space not in the layout", [](auto&) {}, 9, false,
         "event=window.preview.skipped display=D reason=missing-entry space=9"},
        {"captures unavailable", [](auto& t) { t.available = false; }, 1, false,
         "event=window.preview.skipped candidates=1 display=D reason=unavailable space=1"},
        {"forced while in flight", [](auto& t) { t.request({1}); }, 1, true,
         "event=window.preview.skipped display=D reason=in-flight space=1"},
        {"nothing changed", [](auto& t) { t.store(1); }, 1, false,
         "event=window.preview.skipped candidates=1 display=D reason=signature-unchanged space=1"},
    };
    for (const SkipCase& c : cases) {
        CaptureBench t;
        c.before(t);
        const std::size_t started = t.handled.size();
        EXPECT_TRUE(t.request({c.space}, c.force).empty()) << c.name;
        EXPECT_EQ(t.handled.size(), started) << c.name;
        EXPECT_EQ(metrics().back(), c.line) << c.name;
    }
}

TEST_F(PreviewCaptureTest, ASpaceWithoutWindowsIsCapturedEvenWhenCapturesAreUnavailable) {
    bench.available = false;
    EXPECT_EQ(bench.request({3}), (std::vector<OSDGridSpaceContext>{{"D", 3, 2, 3}}));
    EXPECT_TRUE(bench.handled.at(0).empty());
}

TEST_F(PreviewCaptureTest, OnlyANewPictureIsStoredAndAnnounced) {
    bench.store(1);
    bench.store(1, true); // same pixels, same windows
    bench.request({1}, true);
    bench.completions.back()(std::nullopt); // a failed capture
    EXPECT_EQ(bench.calls,
              (std::vector<std::string>{"request 1", "stored 1", "update 1", "request 1", "kept 1",
                                        "request 1", "kept 1"}));
    EXPECT_FALSE(controller.isPreviewInFlight({"D", 1}));
    EXPECT_EQ(controller.previewMap("D", {1, 2}),
              (std::map<int, OSDGridScreenshotEntry>{{0, {picture(Qt::red)}}}));
    EXPECT_NE(metrics().back().find("image=false space=1 stored=false"), std::string::npos);
}

TEST_F(PreviewCaptureTest, ACompletionAfterTheControllerWentDoesNothing) {
    auto gone = std::make_unique<CaptureBench>();
    gone->request({1});
    const auto completion = gone->completions.back();
    gone.reset();
    const std::size_t linesBefore = metrics().size();
    completion(picture(Qt::red)); // touching the dead controller also fails under the sanitizers
    EXPECT_EQ(metrics().size(), linesBefore) << "no completion line for a controller that went";
}

TEST(PreviewRenderSignatureTest, AWindowsGeometryMattersItsIconDoesNot) {
    OSDGridWindowPreviewCandidate window{5, {0, 0, 100, 80}, 3};
    const auto before = Controller::renderSignature({window}, Rect(0, 0, 1440, 900));
    window.appIcon = picture(Qt::blue);
    EXPECT_EQ(Controller::renderSignature({window}, Rect(0, 0, 1440, 900)), before);
    window.bounds.origin.x += 1;
    EXPECT_NE(Controller::renderSignature({window}, Rect(0, 0, 1440, 900)), before);
}

TEST(PreviewCandidateFilterTest, MatchesNameOrTitleInAnyCase) {
    OSDGridWindowPreviewCandidate window{5, {0, 0, 100, 80}, 3};
    window.bundleIdentifier = "com.example.secret";
    window.appDisplayName = "Mail  App";
    window.windowTitle = " Inbox\n Today ";
    for (const auto& [entry, kept] : {std::pair<const char*, bool>{"MAIL APP", false},
                                      {"inbox today", false},
                                      {"secret", true},
                                      {"drafts", true}}) {
        const auto result = Controller::filteredPreviewCandidates({window}, OSDAppFilter({entry}));
        EXPECT_EQ(result.size(), kept ? 1u : 0u) << entry;
    }
}

TEST_F(PreviewCaptureTest, PlaceholdersShowNoPreviewReplacedSpacesKeepTheirsAndClearingForgetsAll) {
    ScopedEnvironmentOverride spaceDebug(TessarinSpaceDiagnostics::environmentVariable, "1");
    controller.recordPreview(picture(Qt::red), {}, 1, "D");
    EXPECT_TRUE(controller.previewMap("D", {0, 0}).empty());
    controller.remapPreviewSpaceIDs({{1, 1}, {3, 9}}, "D"); // nothing moves, nothing written
    controller.remapPreviewSpaceIDs({{1, 7}}, "D");
    EXPECT_EQ(controller.previewMap("D", {0, 7}).count(1), 1u);
    EXPECT_EQ(
        log.messages(TessarinSpaceDiagnostics::category),
        std::vector<std::string>{"window preview cache remapped display=D replacements=[1->7]"});
    bench.request({1});
    controller.clearPreviews();
    EXPECT_TRUE(controller.previewMap("D", {7}).empty());
    bench.request({1}); // starts again at once
    bench.calls.clear();
    bench.completions.front()(picture(Qt::red)); // taken before the clearing: not kept
    EXPECT_TRUE(controller.isPreviewInFlight({"D", 1}));
    EXPECT_TRUE(controller.previewMap("D", {1}).empty());
    EXPECT_TRUE(bench.calls.empty());
}

TEST_F(PreviewCaptureTest, PruningTheLastEntryOfADisplayDropsTheDisplay) {
    OSDAppFilter filter;
    Controller single{[&filter] { return filter; }};
    single.refreshMetadata(snapshotOf("D", {1})); // Mail's window stands for Space 1
    EXPECT_FALSE(single.pruneFilteredEntries());
    filter = OSDAppFilter({"mail"});
    EXPECT_TRUE(single.pruneFilteredEntries());
    EXPECT_TRUE(single.cacheByDisplayIdentifier().empty());
}

TEST(RemapEntriesTest, MovesOnlyRealReplacementsOverWhatIsThere) {
    const std::map<SpaceID, char> start{{1, 'a'}, {2, 'b'}};
    const std::vector<std::tuple<const char*, std::map<SpaceID, SpaceID>, std::map<SpaceID, char>>>
        cases{{"to zero", {{1, 0}}, start},
              {"from zero", {{0, 2}}, start},
              {"to itself", {{1, 1}}, start},
              {"nothing stored", {{3, 4}}, start},
              {"over another", {{1, 2}}, {{2, 'a'}}},
              {"to a new ID", {{2, 5}}, {{1, 'a'}, {5, 'b'}}}};
    for (const auto& [name, replacements, expected] : cases) {
        auto entries = start;
        EXPECT_EQ(Controller::remapEntries(entries, replacements), expected != start) << name;
        EXPECT_EQ(entries, expected) << name;
    }
}

// The default capture handler on the simulated host, its captures and compositions held on one
// executor the test runs. On the 1440 x 900 display the canvas draws at 0.2 from x = 16, so
// window 5 (Space 1) covers canvas pixel (76, 50) and window 6 (Space 2) pixel (66, 40).
class CompositeCaptureTest : public MetricsWorld {
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
        do {
            executor->runAll();
            queue.runUntilIdle();
        } while (executor->pendingCount() > 0);
        return stored;
    }
    QColor pixel(SpaceID space, int x, int y) const {
        return controller.previewMap("D", {space}).at(0).image.pixelColor(x, y);
    }

    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    BackgroundWork work{queue, executor};
    Controller controller{[] { return OSDAppFilter(); }};
};

TEST_F(CompositeCaptureTest, EachSpaceShowsItsOwnWindowOverTheDesktopPicture) {
    EXPECT_EQ(capture({1, 2}), (std::vector<bool>{true, true}));
    EXPECT_EQ(host.desktopPictures().loadCount(), 1u) << "one picture for all the screen's Spaces";
    EXPECT_EQ(pixel(1, 76, 50), CaptureContent::windowColor(5, "Notes", "List"));
    EXPECT_EQ(pixel(2, 66, 40), CaptureContent::windowColor(6, "Notes", "Draft"));
    const QImage desktop = host.desktopPictures().picture("D").value();
    // The picture fills the preview's width at half its size, its top and bottom cut evenly.
    const QColor behind = desktop.pixelColor(600, 360);
    const QColor shown = pixel(2, 300, 170);
    EXPECT_LE(std::abs(shown.red() - behind.red()) + std::abs(shown.green() - behind.green()) +
                  std::abs(shown.blue() - behind.blue()),
              12)
        << shown.name().toStdString() << " for " << behind.name().toStdString();
    EXPECT_EQ(metrics().back().substr(0, 80),
              "event=window.preview.completed candidates=1 display=D durationMs=0.00 image=true");
    const auto loadsBefore = host.desktopPictures().loadCount();
    capture({1}, true);
    EXPECT_EQ(host.desktopPictures().loadCount(), loadsBefore + 1)
        << "no picture stays between refreshes";
}

TEST_F(CompositeCaptureTest, AWindowIsCapturedAtTheScaleOfTheScreenHoldingMostOfIt) {
    ScopedEnvironmentOverride debug("TESSARIN_WINDOW_DEBUG", "1");
    auto screens = host.displays().screens();
    screens.push_back(Screen{2, "E", "External", {1440, 0, 1920, 1080}, {1440, 0, 1920, 1080}, 1});
    host.displays().setScreens(screens);
    host.windowServer().setWindowBounds(5, {1300, 100, 400, 300}); // starts on the 2x screen
    controller.refreshMetadata(snapshotOf("D", {1, 2, 3}));
    capture({1});
    const auto lines = log.messages("WindowPreview");
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const std::string& line) {
                               return line.starts_with("event=window.preview.renderable "
                                                       "stage=capture.captured index=0 id=5 ") &&
                                      line.find(" size={w=400 h=300} ") != std::string::npos;
                           }),
              lines.end());
}

// A Space's window captures live until its preview is composed; the next Space starts after. The
// test ends with Space 3 waiting, which goes with the controller.
TEST_F(CompositeCaptureTest, SpacesAreCapturedOneAfterAnother) {
    std::vector<SpaceID> done;
    controller.requestPreviewCaptures(snapshotOf("D", {1, 2, 3}), "D",
                                      host.displays().screens().at(0), {1, 2, 3}, true, false, {},
                                      {}, [&](const auto& c, bool) { done.push_back(c.spaceID); });
    const auto contentReads = [this] {
        return host.screenCapture().requestCount(ScreenCaptureOperation::shareableContent);
    };
    EXPECT_EQ(contentReads(), 1);
    while (done.empty()) {
        EXPECT_EQ(contentReads(), 1);
        executor->runJob();
        queue.runUntilIdle();
    }
    EXPECT_EQ(contentReads(), 2);
    EXPECT_EQ(done, std::vector<SpaceID>{1});
}

// A capture that never completes counts as failed at its deadline and the next Space goes on;
// its result, should it come after all, is dropped.
TEST_F(CompositeCaptureTest, AHangingCaptureFailsAtItsDeadlineAndItsLateResultIsDropped) {
    host.screenCapture().setFault(ScreenCaptureOperation::window, ScreenCaptureFault::held);
    std::vector<std::pair<SpaceID, bool>> done;
    controller.requestPreviewCaptures(
        snapshotOf("D", {1, 2, 3}), "D", host.displays().screens().at(0), {1, 2}, true, false, {},
        {}, [&](const auto& c, bool stored) { done.emplace_back(c.spaceID, stored); });
    const auto settle = [this] {
        do {
            executor->runAll();
            queue.runUntilIdle();
        } while (executor->pendingCount() > 0);
    };
    settle();
    queue.advance(OSDGridPreviewCaptureQueue::defaultDeadline - 0.1);
    settle();
    EXPECT_TRUE(done.empty());
    EXPECT_TRUE(controller.isPreviewInFlight({"D", 2}));
    queue.advance(0.2);
    settle();
    EXPECT_EQ(done, (std::vector<std::pair<SpaceID, bool>>{{1, false}}));
    EXPECT_FALSE(controller.isPreviewInFlight({"D", 1}));
    EXPECT_EQ(host.screenCapture().heldCount(), 2u) << "Space 2's window is being captured";
    host.screenCapture().setFault(ScreenCaptureOperation::window, std::nullopt);
    host.screenCapture().releaseHeld();
    settle();
    EXPECT_EQ(done, (std::vector<std::pair<SpaceID, bool>>{{1, false}, {2, true}}));
    EXPECT_TRUE(controller.previewMap("D", {1}).empty()) << "the late picture of Space 1";
    EXPECT_EQ(pixel(2, 66, 40), CaptureContent::windowColor(6, "Notes", "Draft"));
}

// The stored picture's signature and its composition read the screen's frame once, when the
// capture is asked for, even when the capture starts after the screen changed.
TEST_F(CompositeCaptureTest, TheSignatureHoldsTheFrameThePictureWasComposedFor) {
    std::vector<SpaceID> done;
    controller.requestPreviewCaptures(snapshotOf("D", {1, 2, 3}), "D",
                                      host.displays().screens().at(0), {1, 2}, true, false, {}, {},
                                      [&](const auto& c, bool) { done.push_back(c.spaceID); });
    auto screens = host.displays().screens();
    const Rect requested = screens.at(0).frame;
    screens.at(0).frame = {0, 0, 2880, 1800}; // Space 2 waits while the screen changes
    host.displays().setScreens(screens);
    do {
        executor->runAll();
        queue.runUntilIdle();
    } while (executor->pendingCount() > 0);
    ASSERT_EQ(done, (std::vector<SpaceID>{1, 2}));
    const auto& stored = controller.previewCacheByDisplayIdentifier().at("D").entries.at(2);
    EXPECT_EQ(stored.renderSignature.displayFrame, requested);
    // Window 6 reaches this pixel on the screen as it was, not on the screen twice as large.
    EXPECT_EQ(pixel(2, 100, 60), CaptureContent::windowColor(6, "Notes", "Draft"));
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
    const auto lines = metrics();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "event=window.capture.composited capturedWindows=0 durationMs=0.00 "
                        "requestedWindows=1 result=error"),
              lines.end());
}

} // namespace
} // namespace tessarin
