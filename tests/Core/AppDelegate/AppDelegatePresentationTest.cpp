#include "Core/Fakes/EngineWorld.h"
#include "Core/Presentation/GridCellContent.h"
#include "Core/Presentation/OSDPresentationMetrics.h"
#include "UI/OSD/OSDGridViewTestSupport.h"
#include "UI/OSD/OSDWindow.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::World;

QImage solid(Qt::GlobalColor color) {
    QImage image(32, 18, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// Display A's second Space (102) is titled "Inbox" by the host.
Scenario titledScenario() {
    Scenario scenario = fakes::switchingScenario();
    scenario.spaceLists[0].spaces[1].title = "Inbox";
    return scenario;
}

OSDGridModel twoCells() {
    OSDGridModel::Fields fields;
    fields.spaceCount = 2;
    fields.columnCount = 2;
    return *OSDGridModel::make(fields);
}

GridOSDPreviewSession sessionOn(GridOSDPreviewSessionMode mode, const std::string& display) {
    auto snapshot = DisplaySpaceOrderSnapshot::make(
        display, {1, 2}, {DisplaySpaceSlot::realSpace(1), DisplaySpaceSlot::realSpace(2)}, 1);
    return *GridOSDPreviewSession::make(mode, display, display, display, snapshot, twoCells(), 0);
}

// The delegate presents its own grids in the real OSD window, offscreen.
class AppDelegatePresentationTest : public ::testing::Test {
protected:
    AppDelegatePresentationTest() { makeWorld(); }
    void makeWorld(const Scenario& scenario = titledScenario()) {
        testing::ensureApplication();
        world.reset();
        world = std::make_unique<World>(scenario, [this](AppDelegateDependencies& deps) {
            deps.presentation = nullptr;
            deps.osdWindow = window;
        });
        d().gridModeStore.isEnabled.set(true);
    }
    AppDelegate& d() { return world->d(); }
    fakes::RecordingWindowPreviews& caches() { return *world->seams.windowPreviews; }
    OSDPresentationMetricsTraceRef trace() {
        return world->seams.metrics->startTrace("hotkey", world->queue.absoluteTime());
    }
    bool show(uint32_t target, std::optional<uint32_t> count = 8,
              std::optional<std::string> display = "UUID-A",
              GridOSDInteractionMode mode = GridOSDInteractionMode::respectsOSDSetting,
              OSDDismissalBehavior behavior = OSDDismissalBehavior::timer()) {
        return d().showOSD(target, count, std::nullopt, std::nullopt, display, behavior, mode,
                           trace());
    }
    std::string abortReason() { return world->abortReason("osd.show.aborted"); }

    std::shared_ptr<OSDWindow> window = std::make_shared<OSDWindow>(nullptr);
    std::unique_ptr<World> world;
};

TEST_F(AppDelegatePresentationTest, ASwitchShowsTheTargetWithHostTitlesSlotNamesAndCovers) {
    d().directSlotMetadataStore.setName("Work", "UUID-A", 3);
    d().directSlotMetadataStore.setObscured(true, "UUID-A", 4);
    caches().titles["UUID-A"][104] = {std::string("Secret plan"), std::string("Mail")};
    caches().previews["UUID-A"][104] = {solid(Qt::red)};
    caches().previews["UUID-A"][105] = {solid(Qt::blue)};

    d().performSpaceSwitch(TessarinDirectionRight, std::string("UUID-A"));

    const auto model = window->currentGridModel(std::string("UUID-A"));
    ASSERT_TRUE(model);
    EXPECT_EQ(model->activeIndex(), 1);
    EXPECT_EQ(model->title(), "Inbox");
    EXPECT_EQ(model->cellTitles().at(2), "Work");
    EXPECT_EQ(model->cellTitles().at(3), "Space 04");
    EXPECT_EQ(model->obscuredIndices(), (std::set<int64_t>{3}));
    EXPECT_EQ(keysOf(model->cellScreenshots()), (std::set<int64_t>{4}));
    EXPECT_EQ(d().currentGridOSDDisplayIdentifier, "UUID-A");

    // Display B's OSD is off: its switch still happens, and shows nothing.
    d().presentationStore.setBoolValue(false, "showOSD", DisplaySettingsScope::display("UUID-B"),
                                       true);
    d().performSpaceSwitch(TessarinDirectionRight, std::string("UUID-B"));
    world->settle();
    EXPECT_EQ(world->current("UUID-B"), 202u);
    EXPECT_TRUE(window->visibleGridDisplayIdentifiers().empty());
}

struct RefusalCase {
    const char* name;
    std::function<void(AppDelegate&)> arrange;
    uint32_t target;
    std::optional<uint32_t> count;
    const char* reason;
    const char* display = "UUID-A";
};

TEST_F(AppDelegatePresentationTest, ARefusedShowShowsNothingAndSaysWhy) {
    const RefusalCase cases[] = {
        {"OSD off for the display",
         [](AppDelegate& a) {
             a.presentationStore.setBoolValue(false, "showOSD",
                                              DisplaySettingsScope::display("UUID-A"), true);
         },
         0, 8, "disabled"},
        {"grid mode off", [](AppDelegate& a) { a.gridModeStore.isEnabled.set(false); }, 0, 8,
         "grid-disabled"},
        {"no Space count", [](AppDelegate&) {}, 0, std::nullopt, "missing-space-count"},
        {"past the layout", [](AppDelegate&) {}, 8, 8, "model"},
        {"over what a grid index holds", [](AppDelegate&) {}, 0x80000000u, 8, "model"},
        {"an unplugged display", [](AppDelegate&) {}, 0, 8, "model", "UUID-GONE"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        makeWorld();
        d().currentGridOSDDisplayIdentifier = "UUID-B";
        c.arrange(d());
        EXPECT_FALSE(show(c.target, c.count, c.display));
        EXPECT_EQ(abortReason(), c.reason);
        EXPECT_TRUE(window->visibleGridDisplayIdentifiers().empty());
        EXPECT_FALSE(d().currentGridOSDDisplayIdentifier);
    }
    EXPECT_FALSE(d().makeGridOSDModel(-1, "UUID-A", "UUID-A", "UUID-A", std::nullopt, false));
}

TEST_F(AppDelegatePresentationTest, OverridingTheOSDSwitchShowsTheGridAnyway) {
    d().presentationStore.setBoolValue(false, "showOSD", DisplaySettingsScope::display("UUID-A"),
                                       true);
    EXPECT_TRUE(show(2, 8, "UUID-A", GridOSDInteractionMode::overridesOSDSetting));
    EXPECT_TRUE(window->isGridVisible(std::string("UUID-A")));
}

TEST_F(AppDelegatePresentationTest, AnUntitledSpaceNeverBorrowsAnotherDisplaysTitle) {
    // The pointer is on display A, whose second Space is "Inbox".
    ASSERT_TRUE(show(1, 4, "UUID-B"));
    const auto model = window->currentGridModel(std::string("UUID-B"));
    ASSERT_TRUE(model);
    EXPECT_EQ(model->title(), "Space 2");
}

TEST_F(AppDelegatePresentationTest, OnlyAGridHeldByModifiersTakesClicksAndDrags) {
    const auto interaction = [this] {
        return world->seams.metrics->fieldsOf("osd.interaction.built").at("hasInteraction");
    };
    ASSERT_TRUE(show(0));
    EXPECT_FALSE(window->currentGridMouseInteractionContext(std::string("UUID-A")));
    EXPECT_EQ(interaction(), "false");
    ASSERT_TRUE(show(0, 8, "UUID-A", GridOSDInteractionMode::respectsOSDSetting,
                     OSDDismissalBehavior::untilModifiersReleased(0x40000)));
    EXPECT_EQ(interaction(), "true");
}

TEST_F(AppDelegatePresentationTest, HidingOneDisplaysGridLeavesAnotherDisplaysState) {
    d().currentGridOSDDisplayIdentifier = "UUID-B";
    d().gridOSDPreviewSession = sessionOn(GridOSDPreviewSessionMode::picker(), "UUID-B");
    d().handleGridOSDHidden(std::string("UUID-A"));
    EXPECT_EQ(d().currentGridOSDDisplayIdentifier, "UUID-B");
    EXPECT_TRUE(d().gridOSDPreviewSession);
    d().handleGridOSDHidden(std::string("UUID-B"));
    EXPECT_FALSE(d().currentGridOSDDisplayIdentifier);
    EXPECT_FALSE(d().gridOSDPreviewSession);
    EXPECT_EQ(caches().metadataRefreshesAfterHide,
              (std::vector<std::optional<std::string>>{"UUID-A", "UUID-B"}));
}

struct ContextCase {
    const char* name;
    GridOSDPreviewSessionMode mode;
    OSDDismissalBehavior behavior;
    bool allowsKeyboard;
    // Expected: selection, current-cell selection, reordering, keyboard, footer.
    bool selects, selectsCurrent, reorders, keys;
    const char* footer;
};

TEST_F(AppDelegatePresentationTest, EachPreviewModeGetsItsOwnInteraction) {
    const auto held = OSDDismissalBehavior::untilModifiersReleased(0x40000);
    const ContextCase cases[] = {
        {"held hotkey preview", GridOSDPreviewSessionMode::deferredHotkey(held), held, true, true,
         false, true, false, "Drag to re-arrange"},
        {"picker", GridOSDPreviewSessionMode::picker(), held, true, true, true, true, true,
         "Select or drag to re-arrange"},
        {"picker on another display", GridOSDPreviewSessionMode::picker(), held, false, true, true,
         true, false, "Select or drag to re-arrange"},
        {"after-tap preview", GridOSDPreviewSessionMode::trackpadAfterTap(), held, false, true,
         true, false, true, "Three-finger tap, click a space, or press Select"},
    };
    const DisplayPresentationSettingsSnapshot settings = d().presentationStore.snapshot();
    for (const ContextCase& c : cases) {
        const auto context = d().makePreviewInteractionContext(
            sessionOn(c.mode, "UUID-A"), twoCells(), settings, c.behavior, c.allowsKeyboard);
        ASSERT_TRUE(context) << c.name;
        EXPECT_EQ(context->allowsSelection, c.selects) << c.name;
        EXPECT_EQ(context->allowsCurrentActiveSelection, c.selectsCurrent) << c.name;
        EXPECT_EQ(context->allowsReordering, c.reorders) << c.name;
        EXPECT_EQ(context->allowsKeyboardSelection, c.keys) << c.name;
        EXPECT_EQ(context->footerTitle, c.footer) << c.name;
        EXPECT_EQ(context->displayIdentifier, "UUID-A") << c.name;
    }
    EXPECT_FALSE(d().makePreviewInteractionContext(
        sessionOn(GridOSDPreviewSessionMode::deferredHotkey(OSDDismissalBehavior::timer()),
                  "UUID-A"),
        twoCells(), settings, OSDDismissalBehavior::timer(), true));
}

TEST_F(AppDelegatePresentationTest, DismissalCallbacksDoNothingOnceTheDelegateIsGone) {
    d().currentGridOSDDisplayIdentifier = "UUID-A";
    const auto callbacks = d().gridOSDDismissalCallbacks(std::string("UUID-A"), true);
    callbacks.onHidden();
    EXPECT_FALSE(d().currentGridOSDDisplayIdentifier);
    world->delegate.reset();
    callbacks.onDismissalStarted();
    callbacks.onHidden();
    EXPECT_EQ(caches().metadataRefreshesAfterHide.size(), 1u);
}

TEST_F(AppDelegatePresentationTest, ObscuredSpacesOfTheFirstTenSlotsAreNotPreviewed) {
    const auto resolved = d().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A");
    ASSERT_TRUE(resolved);
    d().directSlotMetadataStore.setObscured(true, "UUID-A", 2);
    d().directSlotMetadataStore.setObscured(true, "UUID-A", 9); // no ninth Space
    EXPECT_EQ(d().obscuredVisualSpaceIDs(resolved->displaySnapshot), (std::vector<SpaceID>{102}));
    // Each display's flags are its own while Spaces are separate.
    d().directSlotMetadataStore.setObscured(true, "UUID-B", 3);
    const auto onB = d().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-B");
    ASSERT_TRUE(onB);
    EXPECT_EQ(d().obscuredVisualSpaceIDs(onB->displaySnapshot), (std::vector<SpaceID>{203}));
}

// The picker shows the Spaces' pictures whether or not the display's OSD is on.
TEST_F(AppDelegatePresentationTest, ThePickerShowsPicturesWithTheDisplaysOSDOff) {
    caches().previews["UUID-A"][104] = {solid(Qt::red)};
    d().presentationStore.setBoolValue(false, "showOSD", DisplaySettingsScope::display("UUID-A"),
                                       true);
    d().showOSDSpacePickerOnCursorDisplay(nullptr);
    const auto model = window->currentGridModel(std::string("UUID-A"));
    ASSERT_TRUE(model);
    EXPECT_EQ(keysOf(model->cellScreenshots()), (std::set<int64_t>{3}));
}

// Names and covers are kept for the first ten slots: the tenth reaches the grid as the first
// does, and the eleventh Space shows its own title.
TEST_F(AppDelegatePresentationTest, EverySlotUpToTheTenthBringsItsNameAndCoverToTheGrid) {
    Scenario eleven = titledScenario();
    eleven.spaceLists[0].spaces = fakes::numberedSpaces(101, 11);
    makeWorld(eleven);
    for (int slot = 1; slot <= 10; ++slot) {
        d().directSlotMetadataStore.setName("Named " + std::to_string(slot), "UUID-A", slot);
    }
    d().directSlotMetadataStore.setObscured(true, "UUID-A", 1);
    d().directSlotMetadataStore.setObscured(true, "UUID-A", 10);

    d().performSpaceSwitch(TessarinDirectionRight, std::string("UUID-A"));

    const auto model = window->currentGridModel(std::string("UUID-A"));
    ASSERT_TRUE(model);
    ASSERT_EQ(model->spaceCount(), 11);
    for (int64_t index = 0; index < 10; ++index) {
        EXPECT_EQ(model->cellTitles().at(index), "Named " + std::to_string(index + 1)) << index;
    }
    EXPECT_EQ(model->cellTitles().at(10), "Space 11");
    EXPECT_EQ(model->obscuredIndices(), (std::set<int64_t>{0, 9}));
}

// In screen mode a cell shows its Space's screenshot; a composed preview fills only a cell that
// has none.
TEST_F(AppDelegatePresentationTest, AScreenshotWinsOverAComposedPreviewOfTheSameSpace) {
    d().presentationStore.setScreenshotCaptureMode(OSDGridScreenshotCaptureMode::screen);
    caches().screenshots["UUID-A"][104] = {solid(Qt::red)};
    caches().previews["UUID-A"][104] = {solid(Qt::blue)};
    caches().previews["UUID-A"][105] = {solid(Qt::green)};

    d().performSpaceSwitch(TessarinDirectionRight, std::string("UUID-A"));

    const auto model = window->currentGridModel(std::string("UUID-A"));
    ASSERT_TRUE(model);
    ASSERT_EQ(keysOf(model->cellScreenshots()), (std::set<int64_t>{3, 4}));
    EXPECT_EQ(model->cellScreenshots().at(3).image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(model->cellScreenshots().at(4).image.pixelColor(0, 0), QColor(Qt::green));

    // In window mode the previews are all there is.
    d().presentationStore.setScreenshotCaptureMode(OSDGridScreenshotCaptureMode::window);
    d().performSpaceSwitch(TessarinDirectionRight, std::string("UUID-A"));
    const auto windowMode = window->currentGridModel(std::string("UUID-A"));
    ASSERT_TRUE(windowMode);
    ASSERT_EQ(keysOf(windowMode->cellScreenshots()), (std::set<int64_t>{3, 4}));
    EXPECT_EQ(windowMode->cellScreenshots().at(3).image.pixelColor(0, 0), QColor(Qt::blue));
}

TEST(AppDelegatePresentationMetricsTest, AShowWritesItsStepsOnTheVirtualClock) {
    testing::ensureApplication();
    ScopedOSDPresentationMetrics metricsOn{true};
    auto window = std::make_shared<OSDWindow>(&OSDPresentationMetrics::recorder());
    World world(fakes::switchingScenario(), [&](AppDelegateDependencies& deps) {
        deps.presentation = nullptr;
        deps.osdWindow = window;
        deps.metrics = nullptr;
    });
    world.d().gridModeStore.isEnabled.set(true);
    const double pressedAt = world.queue.absoluteTime();
    world.queue.advance(0.003);
    const auto trace = OSDPresentationMetrics::start(
        "hotkey", pressedAt, [] { return OSDPresentationMetrics::Fields{}; });
    ASSERT_TRUE(world.d().showOSD(1, 8, 0, TessarinDirectionRight, std::string("UUID-A"),
                                  OSDDismissalBehavior::timer(),
                                  GridOSDInteractionMode::respectsOSDSetting, trace));
    const std::string id = " trace=" + std::to_string(trace->id);
    EXPECT_EQ(world.logLines("OSDMetrics", "event=osd.show.started")[0],
              "event=osd.show.started deltaMs=0.00 direction=right elapsedMs=3.00 origin=hotkey "
              "requestedDisplay=UUID-A sourceIndex=0 spaceCount=8 targetIndex=1" +
                  id);
    EXPECT_EQ(world.logLines("OSDMetrics", "event=osd.model.built")[0],
              "event=osd.model.built cellIcons=0 cellScreenshots=0 deltaMs=0.00 elapsedMs=3.00 "
              "modelMs=0.00 origin=hotkey placeholders=0 resolvedDisplay=UUID-A "
              "spaceDisplay=UUID-A" +
                  id);
    EXPECT_EQ(world.logLines("OSDMetrics", "event=osd.window.show.returned").size(), 1u);
}

} // namespace
} // namespace tessarin
