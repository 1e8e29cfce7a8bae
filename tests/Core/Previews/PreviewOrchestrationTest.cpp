// The delegate's preview orchestration end to end: scans and captures on a held executor,
// pictures told apart by the drawn windows' colours, timing on the virtual clock.

#include "Core/Fakes/PreviewOrchestrationWorld.h"
#include "Platform/Preferences/UserDefaults.h"
#include "UI/Settings/OSDAppFilterSetting.h"
#include "UI/Settings/OSDGridAppIconsSetting.h"

namespace tessarin {
namespace {

using fakes::kDraftWindow;
using fakes::kInboxWindow;
using fakes::kListWindow;
using fakes::PreviewOrchestrationWorld;
using Reason = WindowPreviewRefreshReason;
using Mode = OSDGridScreenshotCaptureMode;

int captures(PreviewOrchestrationWorld& w, ScreenCaptureOperation operation) {
    return w.world.host.screenCapture().requestCount(operation);
}

TEST(PreviewOrchestrationTest, StartUpPrimeStoresEachDisplaysContentByGridIndex) {
    PreviewOrchestrationWorld w;
    w.d().primeWindowSpaceMetadataAndPreviews();
    EXPECT_GT(w.held(), 0u); // the window-list scans wait off the main thread
    w.drain();
    const auto a = w.ids("UUID-A");
    const auto previews = w.d().previewMap("UUID-A", a);
    ASSERT_TRUE(previews.contains(0) && previews.contains(1));
    EXPECT_TRUE(w.shows(previews.at(0).image, kDraftWindow, "Editor", "Draft"));
    EXPECT_TRUE(w.shows(previews.at(0).image, fakes::kComposeWindow, "Mail", "Compose"));
    EXPECT_FALSE(w.shows(previews.at(1).image, kDraftWindow, "Editor", "Draft"));
    EXPECT_TRUE(w.shows(previews.at(1).image, kInboxWindow, "Mail", "Inbox"));
    const auto b = w.ids("UUID-B");
    const auto previewsB = w.d().previewMap("UUID-B", b);
    ASSERT_TRUE(previewsB.contains(0));
    EXPECT_TRUE(w.shows(previewsB.at(0).image, kListWindow, "Notes", "List"));

    const auto icons = w.d().mappedIconEntries("UUID-A", a);
    ASSERT_TRUE(icons.contains(0) && icons.contains(1));
    EXPECT_EQ(icons.at(0).appDisplayName, "Editor");
    EXPECT_EQ(icons.at(1).appDisplayName, "Mail");
    const auto titles = w.d().mappedTitleEntries("UUID-B", b);
    ASSERT_TRUE(titles.contains(0));
    EXPECT_EQ(titles.at(0).windowTitle, "List");
    const auto stacks = w.d().iconStackMap("UUID-A", a);
    ASSERT_TRUE(stacks.contains(0));
    EXPECT_EQ(stacks.at(0).size(), 2u);
    EXPECT_FALSE(stacks.contains(1));
    for (const auto& [key, entry] : w.schedule()) { // every capture ended and booked its next date
        EXPECT_FALSE(entry.isCaptureInFlight);
        EXPECT_EQ(entry.nextRefreshReason, Reason::periodic);
    }
}

TEST(PreviewOrchestrationTest, SharedSpacesArePreviewedOnEachScreenUnderItsOwnIdentifier) {
    PreviewOrchestrationWorld w(fakes::previewOrchestrationScenario(true));
    EXPECT_EQ(w.d().previewDisplayIdentifiers("Main"),
              (std::vector<std::string>{"Main", "UUID-A", "UUID-B"}));
    EXPECT_EQ(w.d().windowPreviewDisplayItems("Main").size(), 2u);
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.drain();
    // Each screen's picture of Space 1 shows the windows on that screen.
    const auto onA = w.d().previewMap("UUID-A", w.ids("Main"));
    const auto onB = w.d().previewMap("UUID-B", w.ids("Main"));
    ASSERT_TRUE(onA.contains(0) && onB.contains(0));
    EXPECT_TRUE(w.shows(onA.at(0).image, kDraftWindow, "Editor", "Draft"));
    EXPECT_TRUE(w.shows(onB.at(0).image, kListWindow, "Notes", "List"));
    EXPECT_FALSE(w.shows(onB.at(0).image, kDraftWindow, "Editor", "Draft"));
    EXPECT_TRUE(w.entry("Main", "UUID-A", 1) && w.entry("Main", "UUID-B", 1));
}

TEST(PreviewOrchestrationTest,
     ScreenModeSpaceChangeRecordsTheApplicationThenCapturesAfterItsDelay) {
    struct Case {
        const char* name;
        bool appIcons;
        double delay;
        bool changesSpaceMeanwhile;
    };
    const Case cases[] = {{"icon shown", true, 0.5, false},
                          {"nothing shown", false, 0.01, false},
                          {"Space changed during the capture", false, 0.01, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PreviewOrchestrationWorld w(fakes::previewOrchestrationScenario(), Mode::screen);
        w.world.host.defaults().set(OSDGridAppIconsSetting::key, c.appIcons);
        w.world.host.system().setFrontmostApplication(fakes::kMailPID);
        w.world.host.windowServer().setCurrentSpace("UUID-A", 102);
        w.d().handleActiveSpaceChange();
        const auto a = w.ids("UUID-A");
        const auto icons = w.d().mappedIconEntries("UUID-A", a);
        ASSERT_TRUE(icons.contains(1));
        EXPECT_EQ(icons.at(1).appDisplayName, "Mail");
        EXPECT_EQ(w.d().mappedTitleEntries("UUID-A", a).at(1).appDisplayName, "Mail");

        w.world.queue.advance(c.delay * 0.9);
        EXPECT_EQ(captures(w, ScreenCaptureOperation::display) +
                      captures(w, ScreenCaptureOperation::shareableContent),
                  0);
        w.world.queue.advance(c.delay * 0.2);
        if (c.changesSpaceMeanwhile) {
            w.world.host.windowServer().setCurrentSpace("UUID-A", 103);
        }
        w.drain();
        EXPECT_EQ(captures(w, ScreenCaptureOperation::display), 1);
        const auto shots = w.d().screenshotMap("UUID-A", a);
        ASSERT_EQ(shots.contains(1), !c.changesSpaceMeanwhile);
        if (!c.changesSpaceMeanwhile) {
            EXPECT_TRUE(w.shows(shots.at(1).image, kInboxWindow, "Mail", "Inbox"));
        }
    }
}

TEST(PreviewOrchestrationTest, WindowModeSpaceChangeCapturesBothSpacesWithinTenSeconds) {
    PreviewOrchestrationWorld w;
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.drain();
    w.fraction = 1.0; // the latest date a Space change may pick
    const int before = captures(w, ScreenCaptureOperation::window);
    w.world.host.screenCapture().redrawWindow(kInboxWindow);
    w.world.host.windowServer().setCurrentSpace("UUID-A", 102);
    w.d().handleActiveSpaceChange();
    EXPECT_EQ(w.entry("UUID-A", "UUID-A", 102)->nextRefreshReason, Reason::spaceSwitchCurrent);
    EXPECT_EQ(w.entry("UUID-A", "UUID-A", 101)->nextRefreshReason, Reason::spaceSwitchPrevious);
    w.world.queue.advance(9.9);
    w.drain();
    EXPECT_EQ(captures(w, ScreenCaptureOperation::window), before);
    w.world.queue.advance(0.2);
    w.drain();
    EXPECT_GT(captures(w, ScreenCaptureOperation::window), before);
    const auto previews = w.d().previewMap("UUID-A", w.ids("UUID-A"));
    ASSERT_TRUE(previews.contains(1));
    EXPECT_TRUE(w.shows(previews.at(1).image, kInboxWindow, "Mail", "Inbox", 1));
}

TEST(PreviewOrchestrationTest, ReplacedSpaceIDsRekeyEveryCache) {
    PreviewOrchestrationWorld w(fakes::previewOrchestrationScenario(), Mode::screen);
    w.d().primeWindowSpaceMetadataAndPreviews(); // start-up composes previews in screen mode too
    w.d().scheduleCurrentSpaceScreenshotCapture(0.0, false);
    w.world.queue.advance(0.01);
    w.drain();
    const std::map<SpaceID, SpaceID> replacements{{101, 901}};
    w.d().remapSpaceDisplayCaches("UUID-A", replacements);
    for (const std::string& screen : w.d().previewDisplayIdentifiers("UUID-A")) {
        w.d().remapPreviewDisplayCaches(screen, replacements);
    }
    const std::vector<SpaceID> ids{901, 102};
    EXPECT_TRUE(w.d().previewMap("UUID-A", ids).contains(0));
    EXPECT_TRUE(w.d().screenshotMap("UUID-A", ids).contains(0));
    EXPECT_TRUE(w.d().mappedIconEntries("UUID-A", ids).contains(0));
    EXPECT_TRUE(w.d().iconStackMap("UUID-A", ids).contains(0));
    EXPECT_TRUE(w.entry("UUID-A", "UUID-A", 901));
    EXPECT_FALSE(w.entry("UUID-A", "UUID-A", 101));
}

TEST(PreviewOrchestrationTest, AnAppFilterChangePrunesAndSpreadsTheNextCaptures) {
    PreviewOrchestrationWorld w;
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.drain();
    OSDAppFilterSetting::persist({"Mail"}, w.world.host.defaults());
    const TimeInterval now = w.world.queue.now();
    w.d().handleDefaultsChange();
    const auto a = w.ids("UUID-A");
    EXPECT_TRUE(w.d().previewMap("UUID-A", a).empty());
    EXPECT_FALSE(w.d().mappedIconEntries("UUID-A", a).contains(1));
    for (const auto& [key, entry] : w.schedule()) {
        ASSERT_TRUE(entry.nextRefresh);
        EXPECT_GE(*entry.nextRefresh, now + 1);
        EXPECT_LE(*entry.nextRefresh, now + 9);
    }
    w.world.queue.advance(9);
    w.drain();
    const auto previews = w.d().previewMap("UUID-A", a);
    ASSERT_TRUE(previews.contains(0));
    EXPECT_TRUE(w.shows(previews.at(0).image, kDraftWindow, "Editor", "Draft"));
    EXPECT_FALSE(w.shows(previews.at(0).image, kInboxWindow, "Mail", "Inbox"));
}

TEST(PreviewOrchestrationTest, ANewerRefreshSupersedesTheRunningOneAndMetadataOnlyWaits) {
    PreviewOrchestrationWorld w;
    w.d().primeWindowSpaceMetadataAndPreviews();
    const std::size_t scans = w.held();
    w.d().refreshWindowSpaceMetadataOnly(std::nullopt); // the running task scans anyway
    EXPECT_EQ(w.held(), scans);
    const auto key = *WindowPreviewRefreshKey::make("UUID-A", "UUID-A", 102);
    w.d().refreshWindowSpaceMetadataAndPreviews({{key, Reason::periodic}},
                                                OSDGridScreenshotTiming::optimised, false, true);
    w.drain();
    EXPECT_EQ(captures(w, ScreenCaptureOperation::window), 1); // Mail's window on 102 only
    const auto previews = w.d().previewMap("UUID-A", w.ids("UUID-A"));
    EXPECT_FALSE(previews.contains(0));
    EXPECT_TRUE(previews.contains(1));
    // The superseded task's metadata was still recorded.
    EXPECT_TRUE(w.d().mappedIconEntries("UUID-B", w.ids("UUID-B")).contains(0));
}

TEST(PreviewOrchestrationTest, VisibleGridRefreshRunsOnlyForTheCurrentVisibleGrid) {
    struct Case {
        const char* name;
        bool visible;
        bool presentedAgainBeforeRender;
        bool presentedAgainAfterRender;
        const char* lastStep;
        const char* reason;
    };
    const Case cases[] = {
        {"shown", true, false, false, "visible.preview.refresh.returned", ""},
        {"hidden", false, false, false, "visible.preview.refresh.skipped", "not-visible"},
        {"newer grid first", true, true, false, "visible.preview.refresh.skipped", ""},
        {"newer grid later", true, false, true, "visible.preview.refresh.skipped", "superseded"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PreviewOrchestrationWorld w;
        auto& metrics = *w.world.seams.metrics;
        if (c.visible) {
            w.world.seams.osdWindow->visible.insert(std::string("UUID-A"));
        }
        const auto handler = w.d().windowPreviewsAfterFirstRenderHandler(
            "UUID-A", w.d().presentationStore.snapshot(), metrics.startTrace("test", 0),
            w.d().visibleGridWindowPreviewRefreshGeneration);
        w.d().visibleGridWindowPreviewRefreshGeneration += c.presentedAgainBeforeRender;
        handler();
        w.d().visibleGridWindowPreviewRefreshGeneration += c.presentedAgainAfterRender;
        w.world.queue.advance(1.24);
        EXPECT_TRUE(w.schedule().empty());
        w.world.queue.advance(0.02);
        EXPECT_EQ(metrics.steps().back(), c.lastStep);
        const auto fields = metrics.fieldsOf(c.lastStep);
        EXPECT_EQ(fields.contains("reason") ? fields.at("reason") : "", c.reason);
        const auto due = w.entry("UUID-A", "UUID-A", 101);
        ASSERT_EQ(due.has_value(), std::string(c.name) == "shown");
        if (due) {
            EXPECT_EQ(due->nextRefreshReason, Reason::visibleGridPresentation);
        }
    }
}

TEST(PreviewOrchestrationTest, SchedulingOneDisplayLeavesTheOtherDisplaysEntriesAlone) {
    PreviewOrchestrationWorld w;
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.drain();
    const auto before = w.entry("UUID-B", "UUID-B", 201);
    ASSERT_TRUE(before);
    ASSERT_TRUE(w.d().scheduleWindowPreviewRefreshForDisplay(
        "UUID-A", Reason::visibleGridPresentation, w.world.queue.now()));
    EXPECT_EQ(w.entry("UUID-B", "UUID-B", 201), before);
    EXPECT_EQ(w.entry("UUID-A", "UUID-A", 102)->nextRefresh, w.world.queue.now());
}

TEST(PreviewOrchestrationTest, UnservedRequestsWaitForTheirPeriodicDateAndHeldCapturesArmNoTimer) {
    PreviewOrchestrationWorld w;
    w.d().directSlotMetadataStore.setObscured(true, "UUID-A", 1); // Space 101 keeps no preview
    const TimeInterval start = w.world.queue.now();
    w.d().primeWindowSpaceMetadataAndPreviews();
    // Run the scans only: the captures they start stay held, their entries in flight.
    while (w.entry("UUID-A", "UUID-A", 102) &&
           !w.entry("UUID-A", "UUID-A", 102)->isCaptureInFlight && w.executor->runJob()) {
        w.world.queue.runUntilIdle();
    }
    const auto obscured = w.entry("UUID-A", "UUID-A", 101);
    ASSERT_TRUE(obscured);
    EXPECT_FALSE(obscured->isCaptureInFlight);
    EXPECT_EQ(obscured->nextRefreshReason, Reason::periodic);
    EXPECT_EQ(obscured->nextRefresh, start + 15); // half of the 30 s of `optimised`
    // The timer waits for that date instead of firing again and again for the held captures.
    EXPECT_EQ(w.d().nextPreviewRefreshDeadline(), start + 15);
    ASSERT_TRUE(w.d().periodicGridScreenshotRefreshTimer);
    const std::size_t held = w.held();
    w.world.queue.advance(14.9);
    EXPECT_EQ(w.held(), held);
    EXPECT_TRUE(w.entry("UUID-A", "UUID-A", 102)->isCaptureInFlight);
    w.drain();
    EXPECT_FALSE(w.d().previewMap("UUID-A", w.ids("UUID-A")).contains(0));
}

} // namespace
} // namespace tessarin
