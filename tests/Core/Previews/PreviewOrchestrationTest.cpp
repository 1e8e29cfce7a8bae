// The delegate's preview orchestration end to end: scans and captures on a held executor,
// pictures told apart by the drawn windows' colours, timing on the virtual clock.

#include "Core/Fakes/PreviewOrchestrationWorld.h"
#include "Core/Previews/OSDGridPreviewCaptureQueue.h"
#include "Core/Seams/MissionControlDesktopRefreshing.h"
#include "Model/Settings/OSDAppFilterSetting.h"
#include "Model/Settings/OSDGridAppIconsSetting.h"
#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {
namespace {

using namespace fakes;
using Reason = WindowPreviewRefreshReason;
using Mode = OSDGridScreenshotCaptureMode;
using Operation = ScreenCaptureOperation;

// Where a grid drew a cell, as far as drawing ahead needs it here.
OSDGridCellSlot drawnSlot(double viewHeight = 0) {
    OSDGridCellSlot slot;
    slot.frame = {20, 20, 160, 90};
    slot.viewHeight = viewHeight;
    return slot;
}

TEST(PreviewOrchestrationTest, StartUpPrimeStoresEachDisplaysContentByGridIndex) {
    PreviewOrchestrationWorld w;
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.drain();
    const auto a = w.ids("UUID-A");
    const auto previews = w.d().previewMap("UUID-A", a);
    EXPECT_TRUE(w.shows(previews, 0, kDraftWindow) && w.shows(previews, 0, kComposeWindow));
    EXPECT_TRUE(w.shows(previews, 1, kInboxWindow) && !w.shows(previews, 1, kDraftWindow));
    EXPECT_TRUE(w.shows(w.d().previewMap("UUID-B", w.ids("UUID-B")), 0, kListWindow));
    const auto icons = w.d().mappedIconEntries("UUID-A", a);
    ASSERT_TRUE(icons.contains(0) && icons.contains(1));
    EXPECT_EQ(icons.at(0).appDisplayName, "Editor");
    EXPECT_EQ(icons.at(1).appDisplayName, "Mail");
    const auto titles = w.d().mappedTitleEntries("UUID-B", w.ids("UUID-B"));
    ASSERT_TRUE(titles.contains(0));
    EXPECT_EQ(titles.at(0).windowTitle, "List");
    const auto stacks = w.d().iconStackMap("UUID-A", a);
    ASSERT_TRUE(stacks.contains(0));
    EXPECT_EQ(stacks.at(0).size(), 2u);
    for (const auto& [key, entry] : w.schedule()) { // every capture ended and booked its next date
        EXPECT_FALSE(entry.isCaptureInFlight);
        EXPECT_EQ(entry.nextRefreshReason, Reason::periodic);
    }
    // Scheduling one screen leaves the other displays' dates alone.
    const auto other = w.entry("UUID-B", "UUID-B", 201);
    ASSERT_TRUE(w.d().scheduleWindowPreviewRefreshForDisplay(
        "UUID-A", Reason::visibleGridPresentation, w.world.queue.now()));
    EXPECT_EQ(w.entry("UUID-B", "UUID-B", 201), other);
    EXPECT_EQ(w.entry("UUID-A", "UUID-A", 102)->nextRefresh, w.world.queue.now());
    // A Desktop task's refresher reaches the debounced refresh of its display.
    w.d().missionControlDesktopRefresher->scheduleWindowSpaceMetadataAndPreviewRefresh("UUID-B");
    w.world.queue.advance(0.25);
    EXPECT_EQ(w.entry("UUID-B", "UUID-B", 201)->nextRefreshReason, Reason::settingsChanged);
}

// A stored preview is drawn ahead, on the executor, for a cell its display's grid has drawn.
TEST(PreviewOrchestrationTest, ANewPreviewIsDrawnAheadForACellItsGridDrew) {
    PreviewOrchestrationWorld w;
    auto& osd = *w.world.seams.osdWindow;
    osd.drawnCells[{"UUID-A", 1}] = drawnSlot(200);
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.drain();
    EXPECT_EQ(osd.offeredCells,
              (std::vector<RecordingOSDWindow::Cell>{{std::string("UUID-A"), 1}}));
}

// A Space moved while its preview was being captured has the body drawn for its new cell.
TEST(PreviewOrchestrationTest, APreviewIsDrawnAheadForTheCellItsSpaceMovedTo) {
    PreviewOrchestrationWorld w;
    auto& osd = *w.world.seams.osdWindow;
    osd.drawnCells[{"UUID-A", 8}] = drawnSlot(200);
    w.world.grid().setUsePlaceholders(true, DisplaySettingsScope::display("UUID-A"));
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.holdCaptures();
    ASSERT_TRUE(w.d().spaceOrderStore.moveVisualOrder(
        1, 8, OSDGridRearrangementBehavior::swap, "UUID-A",
        {101, 102, 103, 104, 105, 106, 107, 108}, 101, true, 12, 8));
    w.drain();
    EXPECT_EQ(osd.offeredCells,
              (std::vector<RecordingOSDWindow::Cell>{{std::string("UUID-A"), 8}}));
}

// A stored preview reaches the grid shown on its display, which redraws in place.
TEST(PreviewOrchestrationTest, StoredPreviewsRedrawTheGridShownOnTheirDisplay) {
    PreviewOrchestrationWorld w;
    w.d().gridModeStore.isEnabled.set(true);
    w.world.seams.osdWindow->visible = {"UUID-B"};
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.drain();
    const auto& asked = w.world.seams.osdWindow->modelRequests;
    EXPECT_NE(std::find(asked.begin(), asked.end(), "UUID-B"), asked.end());
}

TEST(PreviewOrchestrationTest, SharedSpacesArePreviewedOnEachScreenUnderItsOwnIdentifier) {
    PreviewOrchestrationWorld w(previewOrchestrationScenario(true));
    EXPECT_EQ(w.d().previewDisplayIdentifiers("Main"),
              (std::vector<std::string>{"Main", "UUID-A", "UUID-B"}));
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.drain();
    // Each screen's picture of Space 1 shows the windows on that screen.
    const auto onA = w.d().previewMap("UUID-A", w.ids("Main"));
    const auto onB = w.d().previewMap("UUID-B", w.ids("Main"));
    EXPECT_TRUE(w.shows(onA, 0, kDraftWindow));
    EXPECT_TRUE(w.shows(onB, 0, kListWindow) && !w.shows(onB, 0, kDraftWindow));
}

TEST(PreviewOrchestrationTest, ScreenModeSpaceChangeRecordsTheApplicationThenCapturesLater) {
    struct Case {
        const char* name;
        bool appIcons; // the recorded icon shows, so the capture waits for the switch
        double delay;
        bool changesSpaceMeanwhile;
    };
    const Case cases[] = {{"icon shown", true, 0.5, false},
                          {"nothing shown", false, 0.01, false},
                          {"Space changed during the capture", false, 0.01, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PreviewOrchestrationWorld w(previewOrchestrationScenario(), Mode::screen);
        w.world.seams.osdWindow->drawnCells[{"UUID-A", 1}] = drawnSlot();
        w.world.host.defaults().set(OSDGridAppIconsSetting::key, c.appIcons);
        w.world.host.system().setFrontmostApplication(kMailPID);
        w.world.host.windowServer().setCurrentSpace("UUID-A", 102);
        w.d().handleActiveSpaceChange();
        const auto a = w.ids("UUID-A");
        const auto icons = w.d().mappedIconEntries("UUID-A", a);
        ASSERT_TRUE(icons.contains(1));
        EXPECT_EQ(icons.at(1).appDisplayName, "Mail");
        EXPECT_EQ(w.d().mappedTitleEntries("UUID-A", a).at(1).appDisplayName, "Mail");
        w.world.queue.advance(c.delay * 0.9);
        EXPECT_EQ(w.captures(Operation::display) + w.captures(Operation::shareableContent), 0);
        w.world.queue.advance(c.delay * 0.2);
        if (c.changesSpaceMeanwhile) {
            w.world.host.windowServer().setCurrentSpace("UUID-A", 103);
        }
        w.drain();
        EXPECT_EQ(w.captures(Operation::display), 1);
        EXPECT_EQ(w.shows(w.d().screenshotMap("UUID-A", a), 1, kInboxWindow),
                  !c.changesSpaceMeanwhile);
        // A stored screenshot is drawn ahead for its cell too.
        EXPECT_EQ(w.world.seams.osdWindow->offeredCells.size(), c.changesSpaceMeanwhile ? 0u : 1u);
    }
}

// Cells are drawn ahead on worker threads, as in the program, while the main thread draws the
// grid's chrome: a covered cell gets nothing, since its cover shows no picture and takes its
// symbol from the host, which only the main thread may ask.
TEST(PreviewOrchestrationTest, OnWorkerThreadsOnlyCellsThatShowAScreenshotAreDrawnAhead) {
    for (const bool covered : {true, false}) {
        SCOPED_TRACE(covered ? "covered" : "shown");
        PreviewOrchestrationWorld w(previewOrchestrationScenario(), Mode::screen,
                                    std::make_shared<WaitableThreadPool>());
        OSDGridCellSlot slot = drawnSlot(200);
        slot.obscured = covered;
        w.world.seams.osdWindow->drawnCells[{"UUID-A", 1}] = slot;
        w.world.host.windowServer().setCurrentSpace("UUID-A", 102);
        w.d().handleActiveSpaceChange();
        w.world.queue.advance(0.6);
        w.drain();
        ASSERT_EQ(w.captures(Operation::display), 1);
        EXPECT_EQ(w.world.seams.osdWindow->offeredCells.size(), covered ? 0u : 1u);
    }
}

// A screenshot is drawn ahead for the cell where the grid shows its Space, wherever the user
// put it; the cell at the Space's place in the system's order shows another Space, or nothing.
TEST(PreviewOrchestrationTest, AScreenshotIsDrawnAheadForTheCellShowingItsSpace) {
    struct Case {
        const char* name;
        int from; // Space 102's cell moves there
        int to;
        bool placeholders;
        int64_t cell;
    };
    const Case cases[] = {{"reordered", 1, 4, false, 4}, {"left a placeholder", 1, 8, true, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PreviewOrchestrationWorld w(previewOrchestrationScenario(), Mode::screen);
        w.world.grid().setUsePlaceholders(c.placeholders, DisplaySettingsScope::display("UUID-A"));
        const std::vector<SpaceID> system{101, 102, 103, 104, 105, 106, 107, 108};
        ASSERT_TRUE(
            w.d().spaceOrderStore.moveVisualOrder(c.from, c.to, OSDGridRearrangementBehavior::swap,
                                                  "UUID-A", system, 101, c.placeholders, 12, 8));
        ASSERT_EQ(w.ids("UUID-A").at(static_cast<std::size_t>(c.cell)), 102u);
        auto& osd = *w.world.seams.osdWindow;
        for (const int64_t cell : {int64_t{c.from}, c.cell}) {
            osd.drawnCells[{"UUID-A", cell}] = drawnSlot(200);
        }
        w.world.host.windowServer().setCurrentSpace("UUID-A", 102);
        w.d().handleActiveSpaceChange();
        w.world.queue.advance(0.6);
        w.drain();
        ASSERT_EQ(w.captures(Operation::display), 1);
        EXPECT_EQ(osd.offeredCells,
                  (std::vector<RecordingOSDWindow::Cell>{{std::string("UUID-A"), c.cell}}));
    }
}

// Window captures that hang hold each Space up only until its deadline. Meanwhile a settings
// change makes every Space due again: a Space whose capture still waits or runs joins it, in
// flight and with no date of its own, instead of being declined and booked again and again.
TEST(PreviewOrchestrationTest, HangingCapturesGiveWayAtTheirDeadlineAndLaterRequestsJoinThem) {
    constexpr TimeInterval kDeadline = OSDGridPreviewCaptureQueue::defaultDeadline;
    PreviewOrchestrationWorld w;
    w.fraction = 1.0; // a Space's next periodic capture comes 30 s after its last one ends
    w.world.host.screenCapture().setFault(Operation::window, ScreenCaptureFault::held);
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.drain(); // Space 101's window capture hangs; the other Spaces wait behind it
    ASSERT_EQ(w.captures(Operation::window), 1);
    w.d().handleDefaultsChange();
    w.world.queue.advance(0.01); // the refresh timer's shortest wait
    w.drain();
    ASSERT_EQ(w.schedule().size(), 12u);
    for (const auto& [key, entry] : w.schedule()) {
        EXPECT_TRUE(entry.isCaptureInFlight) << key.spaceID();
        EXPECT_FALSE(entry.nextRefresh) << key.spaceID();
    }
    w.world.queue.advance(kDeadline - 0.11);
    w.drain();
    EXPECT_EQ(w.captures(Operation::window), 1);
    w.world.queue.advance(0.2);
    w.drain(); // 101 given up; 102's window hangs next
    EXPECT_FALSE(w.entry("UUID-A", "UUID-A", 101)->isCaptureInFlight);
    EXPECT_TRUE(w.entry("UUID-A", "UUID-A", 102)->isCaptureInFlight);
    EXPECT_EQ(w.captures(Operation::window), 2);
    w.world.queue.advance(kDeadline);
    w.drain(); // 102 given up, the windowless Spaces composed; 201's window hangs
    EXPECT_EQ(w.captures(Operation::window), 3) << "no Space was captured twice";
    for (const auto& [key, entry] : w.schedule()) { // B's Spaces wait behind 201
        EXPECT_EQ(entry.isCaptureInFlight, key.spaceDisplayIdentifier() == "UUID-B")
            << key.spaceID();
    }
    // The hung captures come back after all: those given up too late to be stored, 201's in
    // time.
    w.world.host.screenCapture().setFault(Operation::window, std::nullopt);
    w.world.host.screenCapture().releaseHeld();
    w.drain();
    const auto onA = w.d().previewMap("UUID-A", w.ids("UUID-A"));
    EXPECT_FALSE(onA.contains(0) || onA.contains(1));
    EXPECT_TRUE(w.shows(w.d().previewMap("UUID-B", w.ids("UUID-B")), 0, kListWindow));
    for (const auto& [key, entry] : w.schedule()) {
        EXPECT_FALSE(entry.isCaptureInFlight) << key.spaceID();
    }
}

TEST(PreviewOrchestrationTest, WindowModeSpaceChangeCapturesBothSpacesWithinTenSeconds) {
    PreviewOrchestrationWorld w;
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.drain();
    w.fraction = 1.0; // the latest date a Space change may pick
    const int before = w.captures(Operation::window);
    w.world.host.screenCapture().redrawWindow(kInboxWindow);
    w.world.host.windowServer().setCurrentSpace("UUID-A", 102);
    w.d().handleActiveSpaceChange();
    EXPECT_EQ(w.entry("UUID-A", "UUID-A", 102)->nextRefreshReason, Reason::spaceSwitchCurrent);
    EXPECT_EQ(w.entry("UUID-A", "UUID-A", 101)->nextRefreshReason, Reason::spaceSwitchPrevious);
    w.world.queue.advance(9.9);
    w.drain();
    EXPECT_EQ(w.captures(Operation::window), before);
    w.world.queue.advance(0.2);
    w.drain();
    EXPECT_TRUE(w.shows(w.d().previewMap("UUID-A", w.ids("UUID-A")), 1, kInboxWindow, 1));
}

TEST(PreviewOrchestrationTest, ReplacedSpaceIDsRekeyEveryCache) {
    PreviewOrchestrationWorld w(previewOrchestrationScenario(), Mode::screen);
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
    EXPECT_TRUE(w.shows(w.d().previewMap("UUID-A", ids), 0, kDraftWindow));
    EXPECT_TRUE(w.shows(w.d().screenshotMap("UUID-A", ids), 0, kDraftWindow));
    EXPECT_TRUE(w.d().mappedIconEntries("UUID-A", ids).contains(0));
    EXPECT_TRUE(w.d().iconStackMap("UUID-A", ids).contains(0));
    EXPECT_TRUE(w.entry("UUID-A", "UUID-A", 901) && !w.entry("UUID-A", "UUID-A", 101));
}

TEST(PreviewOrchestrationTest, AnAppFilterChangePrunesForgetsHeldCapturesAndSpreadsTheNext) {
    PreviewOrchestrationWorld w;
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.holdCaptures();
    OSDAppFilterSetting::persist({"Mail"}, w.world.host.defaults());
    const TimeInterval now = w.world.queue.now();
    w.d().handleDefaultsChange();
    w.drain(); // the captures taken before the change come back late
    const auto a = w.ids("UUID-A");
    EXPECT_TRUE(w.d().previewMap("UUID-A", a).empty());
    EXPECT_FALSE(w.d().mappedIconEntries("UUID-A", a).contains(1));
    for (const auto& [key, entry] : w.schedule()) {
        EXPECT_TRUE(entry.nextRefresh >= now + 1 && entry.nextRefresh <= now + 9);
        EXPECT_EQ(entry.nextRefreshReason, Reason::settingsChanged);
    }
    w.world.queue.advance(9);
    w.drain();
    const auto previews = w.d().previewMap("UUID-A", a);
    EXPECT_TRUE(w.shows(previews, 0, kDraftWindow) && !w.shows(previews, 0, kComposeWindow));
}

TEST(PreviewOrchestrationTest, ARefreshThatReadsNoLayoutKeepsThePeriodicRefreshGoing) {
    PreviewOrchestrationWorld w;
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.drain();
    w.world.host.windowServer().setSpacesReadable(false);
    w.world.queue.advance(30); // every date falls due and finds no layout
    w.drain();
    w.world.host.windowServer().setSpacesReadable(true);
    w.world.host.screenCapture().redrawWindow(kInboxWindow);
    w.world.queue.advance(30);
    w.drain();
    EXPECT_TRUE(w.shows(w.d().previewMap("UUID-A", w.ids("UUID-A")), 1, kInboxWindow, 1));
}

TEST(PreviewOrchestrationTest, ANewerRefreshSupersedesTheRunningOneAndMetadataOnlyWaits) {
    PreviewOrchestrationWorld w;
    w.d().primeWindowSpaceMetadataAndPreviews();
    const std::size_t scans = w.executor->pendingCount();
    w.d().refreshWindowSpaceMetadataOnly(std::nullopt); // the running task scans anyway
    EXPECT_EQ(w.executor->pendingCount(), scans);
    const auto key = *WindowPreviewRefreshKey::make("UUID-A", "UUID-A", 102);
    w.d().refreshWindowSpaceMetadataAndPreviews({{key, Reason::periodic}},
                                                OSDGridScreenshotTiming::optimised, false, true);
    w.drain();
    EXPECT_EQ(w.captures(Operation::window), 1); // Mail's window on 102 only
    const auto previews = w.d().previewMap("UUID-A", w.ids("UUID-A"));
    EXPECT_TRUE(!previews.contains(0) && previews.contains(1));
}

TEST(PreviewOrchestrationTest, VisibleGridRefreshRunsOnlyForTheCurrentVisibleGrid) {
    struct Case {
        const char* name;
        bool visible;
        int newerGrid; // a newer grid shown: 1 before the first render, 2 after it
        const char* lastStep;
        const char* reason;
    };
    const char* skipped = "visible.preview.refresh.skipped";
    const Case cases[] = {{"shown", true, 0, "visible.preview.refresh.returned", ""},
                          {"hidden", false, 0, skipped, "not-visible"},
                          {"newer grid first", true, 1, skipped, ""},
                          {"newer grid later", true, 2, skipped, "superseded"}};
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
        w.d().visibleGridWindowPreviewRefreshGeneration += c.newerGrid == 1;
        handler();
        w.d().visibleGridWindowPreviewRefreshGeneration += c.newerGrid == 2;
        w.world.queue.advance(1.24);
        EXPECT_TRUE(w.schedule().empty());
        w.world.queue.advance(0.02);
        EXPECT_EQ(metrics.steps().back(), c.lastStep);
        const auto fields = metrics.fieldsOf(c.lastStep);
        EXPECT_EQ(fields.contains("reason") ? fields.at("reason") : "", c.reason);
        // Only a refresh that ran scheduled the grid's Spaces.
        EXPECT_EQ(w.schedule().empty(), std::string(c.lastStep) == skipped);
    }
}

TEST(PreviewOrchestrationTest, UnservedRequestsWaitForTheirPeriodicDateAndHeldCapturesArmNoTimer) {
    PreviewOrchestrationWorld w;
    w.d().directSlotMetadataStore.setObscured(true, "UUID-A", 1); // Space 101 keeps no preview
    const TimeInterval start = w.world.queue.now();
    w.d().primeWindowSpaceMetadataAndPreviews();
    w.holdCaptures();
    const auto obscured = w.entry("UUID-A", "UUID-A", 101);
    ASSERT_TRUE(obscured);
    EXPECT_FALSE(obscured->isCaptureInFlight);
    EXPECT_EQ(obscured->nextRefreshReason, Reason::periodic);
    EXPECT_EQ(obscured->nextRefresh, start + 15); // half of the 30 s of `optimised`
    // The timer waits for that date instead of firing again and again for the held captures.
    EXPECT_EQ(w.d().nextPreviewRefreshDeadline(), start + 15);
    ASSERT_TRUE(w.d().periodicGridScreenshotRefreshTimer);
    w.drain();
    EXPECT_FALSE(w.d().previewMap("UUID-A", w.ids("UUID-A")).contains(0));
}

} // namespace
} // namespace tessarin
