#include "Core/Previews/OSDGridWindowSpaceController.h"

#include "Platform/ScreenCapture/ApplicationIconDrawing.h"
#include "Platform/ScreenCapture/WindowListDictionaries.h"
#include "PreviewsWorld.h"
#include "Support/BackgroundWork.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

OSDGridWindowRecord record(WindowID id, int32_t pid, Rect bounds, int64_t z = 0) {
    OSDGridWindowRecord r;
    r.windowID = id;
    r.processIdentifier = pid;
    r.ownerName = "Owner" + std::to_string(pid);
    r.title = "Window " + std::to_string(id);
    r.bounds = bounds;
    r.zIndex = z;
    return r;
}

// The controller over injected records, Spaces and applications, on a clock the test moves.
class WindowSpaceControllerTest : public PreviewsWorld {
protected:
    WindowSpaceControllerTest() {
        controller.windowProvider = [this] { return records; };
        controller.spaceIDsProvider = [this](WindowID id) -> std::optional<std::vector<SpaceID>> {
            ++bridgeCalls;
            const auto it = spaces.find(id);
            return it == spaces.end() ? std::nullopt : std::optional(it->second);
        };
        controller.applicationInfoProvider = [this](int32_t pid, const std::string& owner) {
            ++infoCalls;
            OSDGridWindowApplicationInfo info;
            info.bundleIdentifier = "com.example." + std::to_string(pid);
            info.displayName = names.contains(pid) ? names[pid] : owner;
            info.icon = ApplicationIconDrawing::draw(Qt::red, 32);
            return std::optional(info);
        };
        controller.dateProvider = [this] { return now; };
        controller.finderIconProvider = [] { return std::nullopt; };
    }

    OSDGridWindowSpaceController::Sources refresh(std::vector<SpaceID> visible = {1, 2}) {
        return controller.refreshMetadata(snapshotOf("D", visible));
    }

    OSDAppFilter filter;
    OSDGridWindowSpaceController controller{[this] { return filter; }};
    std::vector<OSDGridWindowRecord> records;
    std::map<WindowID, std::vector<SpaceID>> spaces;
    std::map<int32_t, std::string> names;
    TimeInterval now = 1000;
    int bridgeCalls = 0;
    int infoCalls = 0;
};

// Every Space without windows shows Finder's icon: one picture read once and shared, never a
// copy per Space (a host of 16,384 empty Spaces held 1.5 GB of them).
TEST_F(WindowSpaceControllerTest, EmptySpacesShareOneFinderIconReadOnce) {
    int reads = 0;
    controller.finderIconProvider = [&reads] {
        ++reads;
        return std::optional(OSDGridAppIconEntry{"com.apple.finder", "Finder",
                                                 ApplicationIconDrawing::draw(Qt::blue, 128)});
    };
    std::vector<SpaceID> visible;
    for (SpaceID id = 1; id <= 256; ++id) {
        visible.push_back(id);
    }
    const auto sources = refresh(visible);
    refresh(visible);
    EXPECT_EQ(reads, 1);
    ASSERT_EQ(sources.size(), visible.size());
    const uchar* shared = std::as_const(controller.finderIcon())->icon.constBits();
    for (const SpaceID id : visible) {
        const auto stored = controller.entry("D", id);
        ASSERT_TRUE(stored && stored->source.icon) << id;
        EXPECT_EQ(std::as_const(*stored->source.icon).constBits(), shared) << id;
        EXPECT_EQ(std::as_const(*sources.at(id).icon).constBits(), shared) << id;
    }
}

struct EligibilityCase {
    const char* name;
    std::function<void(OSDGridWindowRecord&)> change;
    bool eligible;
};

TEST_F(WindowSpaceControllerTest, OnlyOrdinaryVisibleWindowsAreEligible) {
    const std::vector<EligibilityCase> cases{
        {"ordinary", [](auto&) {}, true},
        {"another layer", [](auto& r) { r.layer = 3; }, false},
        {"one point wide", [](auto& r) { r.bounds.size.width = 1; }, false},
        {"negative height", [](auto& r) { r.bounds.size.height = -50; }, false},
        {"infinite width",
         [](auto& r) { r.bounds.size.width = std::numeric_limits<double>::infinity(); }, false},
        {"alpha exactly 0.01", [](auto& r) { r.alpha = 0.01; }, false},
        {"the Dock", [](auto& r) { r.ownerName = "Dock"; }, false},
        {"this program's process",
         [this](auto& r) { r.processIdentifier = *controller.ignoredProcessIdentifiers.begin(); },
         false},
    };
    for (const EligibilityCase& c : cases) {
        OSDGridWindowRecord r = record(5, 40, {0, 0, 100, 100});
        c.change(r);
        records = {r};
        spaces = {{5, {1}}};
        refresh();
        const auto entry = controller.entry("D", 1);
        ASSERT_TRUE(entry) << c.name;
        EXPECT_EQ(!entry->source.isWindowlessFallback, c.eligible) << c.name;
    }
}

TEST_F(WindowSpaceControllerTest, SpacesOfAWindowAreAskedOnceIn30Seconds) {
    records = {record(5, 40, {0, 0, 100, 100}), record(6, 40, {0, 0, 100, 100})};
    spaces = {{5, {1}}}; // window 6 has none, which is remembered too
    refresh();
    EXPECT_EQ(bridgeCalls, 2);
    now += 29.9;
    refresh();
    EXPECT_EQ(bridgeCalls, 2);
    now += 0.1; // 30 s after the lookup: stale
    refresh();
    EXPECT_EQ(bridgeCalls, 4);
    records.pop_back();
    refresh();
    EXPECT_FALSE(controller.spaceIDCacheByWindowID().contains(6)); // closed windows leave
}

TEST_F(WindowSpaceControllerTest,
       TheLargestWindowStandsForItsSpaceAndSharedWindowsAreNoCandidates) {
    records = {record(5, 40, {0, 0, 100, 100}, 0), record(6, 41, {0, 0, 100, 100}, 1),
               record(7, 42, {0, 0, 50, 50}, 2), record(8, 43, {0, 0, 900, 900}, 3)};
    records[2].sharingState = 0;
    spaces = {{5, {1}}, {6, {1}}, {7, {1}}, {8, {1, 2}}};
    const auto sources = refresh({1, 2, 3});
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_EQ(sources.at(1).bundleIdentifier, "com.example.43");
    EXPECT_EQ(sources.at(2).bundleIdentifier, "com.example.43");
    EXPECT_TRUE(sources.at(3).isWindowlessFallback);
    EXPECT_EQ(sources.at(3).bundleIdentifier, "com.apple.finder");
    const auto entry = controller.entry("D", 1);
    ASSERT_TRUE(entry);
    // Window 8 is on two Spaces, window 7 is not shared: 5 and 6 remain, back to front.
    ASSERT_EQ(entry->previewCandidates.size(), 2u);
    EXPECT_EQ(entry->previewCandidates[0].windowID, 5u);
    EXPECT_EQ(entry->previewCandidates[1].windowID, 6u);
    ASSERT_EQ(entry->iconStack.size(), 3u);
    EXPECT_EQ(entry->iconStack[0].bundleIdentifier, "com.example.43");
    EXPECT_EQ(entry->iconStack[0].icon.size(), QSize(128, 128));
}

TEST_F(WindowSpaceControllerTest, AtMost16CandidatesAreKeptTheFrontMostOnes) {
    for (WindowID id = 1; id <= 20; ++id) {
        records.push_back(record(id, 40, {0, 0, 100, 100}, id));
        records.back().onScreenIndex = id;
        spaces[id] = {1};
    }
    refresh({1});
    const auto entry = controller.entry("D", 1);
    ASSERT_TRUE(entry);
    ASSERT_EQ(entry->previewCandidates.size(), 16u);
    EXPECT_EQ(entry->previewCandidates.front().windowID, 16u);
    EXPECT_EQ(entry->previewCandidates.back().windowID, 1u);
}

TEST_F(WindowSpaceControllerTest, AWindowOffScreenNowKeepsItsLastOnScreenPosition) {
    records = {record(5, 40, {0, 0, 100, 100}), record(6, 40, {0, 0, 90, 90})};
    records[0].onScreenIndex = 4;
    spaces = {{5, {1}}, {6, {1}}};
    refresh({1});
    records[0].onScreenIndex.reset();
    refresh({1});
    const auto entry = controller.entry("D", 1);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->previewCandidates[0].windowID, 6u); // never on screen: first
    EXPECT_EQ(entry->previewCandidates[1].onScreenIndex, 4);
}

TEST_F(WindowSpaceControllerTest, TheFilterMatchesApplicationNamesTitlesAndOwners) {
    records = {record(5, 40, {0, 0, 100, 100})};
    spaces = {{5, {1}}};
    names[40] = "Secret   Notes";
    filter = OSDAppFilter({"secret notes"});
    refresh({1});
    EXPECT_TRUE(controller.entry("D", 1)->source.isWindowlessFallback);
    names.clear();
    filter = OSDAppFilter({"window 5"});
    refresh({1});
    EXPECT_TRUE(controller.entry("D", 1)->source.isWindowlessFallback);
    filter = OSDAppFilter();
    refresh({1});
    EXPECT_FALSE(controller.entry("D", 1)->source.isWindowlessFallback);
    EXPECT_EQ(infoCalls, 3); // one lookup per application and refresh
}

TEST_F(WindowSpaceControllerTest, EntriesOfSpacesNoLongerShownStayAndMoveWithReplacedIDs) {
    records = {record(5, 40, {0, 0, 100, 100})};
    spaces = {{5, {1}}};
    refresh({1, 2});
    refresh({2});
    EXPECT_TRUE(controller.entry("D", 1));
    controller.remapSpaceIDs({{1, 0}, {2, 2}}, "D");
    EXPECT_TRUE(controller.entry("D", 1));
    controller.remapSpaceIDs({{1, 9}}, "D");
    EXPECT_FALSE(controller.entry("D", 1));
    ASSERT_TRUE(controller.entry("D", 9));
    EXPECT_EQ(controller.entry("D", 9)->source.bundleIdentifier, "com.example.40");
}

TEST_F(WindowSpaceControllerTest, NoVisibleSpaceMeansNoSourcesAndNothingStored) {
    EXPECT_TRUE(refresh({0, 0}).empty());
    EXPECT_TRUE(controller.cacheByDisplayIdentifier().empty());
}

TEST(WindowPrecedenceTest, OrdersByAreaThenListPosition) {
    const auto a = record(1, 1, {0, 0, 10, 10}, 1);
    const auto b = record(2, 1, {0, 0, 10, 10}, 2);
    const auto c = record(3, 1, {0, 0, 20, 10}, 0);
    EXPECT_TRUE(OSDGridWindowSpaceController::windowPrecedence(b, a));
    EXPECT_FALSE(OSDGridWindowSpaceController::windowPrecedence(a, b));
    EXPECT_TRUE(OSDGridWindowSpaceController::windowPrecedence(c, b));
    EXPECT_FALSE(OSDGridWindowSpaceController::windowPrecedence(a, a));
}

// The system's own providers: the window list's dictionaries and the bridge.
class WindowSpaceControllerOnHostTest : public PreviewsWorld {
protected:
    OSDGridWindowSpaceController controller{[] { return OSDAppFilter(); }};
};

TEST_F(WindowSpaceControllerOnHostTest, TheSystemsWindowsMapToTheirSpaces) {
    const auto sources = controller.refreshMetadata(snapshotOf("D", {1, 2, 3}));
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_EQ(sources.at(1).bundleIdentifier, "com.example.mail"); // the larger window
    EXPECT_EQ(sources.at(2).windowTitle, "Inbox");
    EXPECT_TRUE(sources.at(3).isWindowlessFallback);
    ASSERT_TRUE(sources.at(3).icon); // the Finder picture of the resource bundle
    const auto one = controller.entry("D", 1);
    ASSERT_TRUE(one);
    ASSERT_EQ(one->previewCandidates.size(), 1u); // Mail's window is on two Spaces
    EXPECT_EQ(one->previewCandidates[0].windowID, 5u);
    EXPECT_EQ(one->previewCandidates[0].onScreenIndex, 0);
}

TEST_F(WindowSpaceControllerOnHostTest, MalformedListEntriesAreLeftOut) {
    host.windowListDictionaries().overrideKey(7, WindowListKey::bounds, PropertyValue("none"));
    host.windowListDictionaries().setExtraEntries({PropertyValue(PropertyDictionary{})});
    const auto sources = controller.refreshMetadata(snapshotOf("D", {1}));
    EXPECT_EQ(sources.at(1).bundleIdentifier, "com.example.notes");
    host.windowListDictionaries().setShape(WindowListShape::notAllDictionaries);
    EXPECT_TRUE(controller.refreshMetadata(snapshotOf("D", {1})).at(1).isWindowlessFallback);
}

TEST_F(WindowSpaceControllerOnHostTest, ABackgroundRefreshAppliesOnTheMainQueueUnlessCancelled) {
    auto executor = std::make_shared<ManualExecutor>();
    BackgroundWork work(queue, executor);
    std::optional<OSDGridWindowSpaceController::Sources> cancelled;
    OSDGridRefreshTask task;
    controller.refreshMetadataInBackground(snapshotOf("D", {1}), work, task,
                                           [&](auto sources) { cancelled = sources; });
    executor->runAll();
    task.cancel();
    queue.runUntilIdle();
    ASSERT_TRUE(cancelled);
    EXPECT_TRUE(cancelled->empty());
    EXPECT_TRUE(controller.cacheByDisplayIdentifier().empty());
    EXPECT_TRUE(controller.spaceIDCacheByWindowID().empty());

    std::optional<OSDGridWindowSpaceController::Sources> applied;
    controller.refreshMetadataInBackground(snapshotOf("D", {1}), work, OSDGridRefreshTask(),
                                           [&](auto sources) { applied = sources; });
    executor->runAll();
    EXPECT_FALSE(applied);
    queue.runUntilIdle();
    ASSERT_TRUE(applied);
    EXPECT_EQ(applied->at(1).bundleIdentifier, "com.example.mail");
    EXPECT_EQ(controller.spaceIDCacheByWindowID().size(), 3u);
}

} // namespace
} // namespace tessarin
