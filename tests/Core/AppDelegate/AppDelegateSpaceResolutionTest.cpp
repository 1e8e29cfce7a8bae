#include "Core/Fakes/EngineWorld.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::World;

const std::vector<SpaceID> kSystemA{101, 102, 103, 104, 105, 106, 107, 108};

TEST(AppDelegateSpaceResolution, aDisplayResolvesToItsLayoutInfoAndDescriptors) {
    World world(fakes::switchingScenario(103));
    const auto resolved =
        world.d().resolveDisplaySpaceOrderSnapshotWithDescriptors(std::string("UUID-A"), 8);
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->displaySnapshot.systemOrderedSpaceIDs, kSystemA);
    EXPECT_EQ(resolved->displaySnapshot.activeVisualIndex, 2);
    ASSERT_TRUE(resolved->liveInfo);
    EXPECT_EQ(resolved->liveInfo->currentIndex, 2u);
    EXPECT_EQ(resolved->liveInfo->spaceCount, 8u);
    EXPECT_EQ(AppDelegate::LiveDisplaySpaceSnapshot{resolved->managedSpaceDescriptors}
                  .systemOrderedSpaceIDs(),
              kSystemA);
}

TEST(AppDelegateSpaceResolution, nothingResolvesWithoutSpacesOrWithAnotherCount) {
    World world;
    EXPECT_FALSE(world.d().resolveDisplaySpaceOrderSnapshotWithDescriptors(std::nullopt));
    EXPECT_FALSE(world.d().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-GONE"));
    // The Spaces changed since the caller read their count.
    EXPECT_FALSE(world.d().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A", 7));
    world.host.windowServer().setSpacesReadable(false);
    EXPECT_FALSE(world.d().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A"));
    // A prefetched list is used instead of reading the window server.
    const std::vector<ManagedDisplaySpaces> lists{
        ManagedDisplaySpaces{"UUID-A",
                             ManagedSpace{902, kSpaceTypeUserDesktop, ""},
                             {ManagedSpace{901, kSpaceTypeUserDesktop, "u1"},
                              ManagedSpace{902, kSpaceTypeUserDesktop, "u2"}}}};
    const auto resolved =
        world.d().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A", std::nullopt, &lists);
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->displaySnapshot.systemOrderedSpaceIDs, (std::vector<SpaceID>{901, 902}));
    EXPECT_EQ(resolved->displaySnapshot.activeVisualIndex, 1);
}

// Each read copies the whole layout, so a pass over every hotkey or display reads it a fixed
// number of times, not once per item: with many displays the passes grew with their square.
TEST(AppDelegateSpaceResolution, aPassReadsTheLayoutAFixedNumberOfTimesNotOncePerItem) {
    struct Pass {
        const char* name;
        std::function<void(AppDelegate&)> run;
        int reads;
    };
    const Pass passes[] = {
        {"hotkey re-registration", [](AppDelegate& d) { d.reregisterAllHotkeys(); }, 1},
        {"overlay refresh", [](AppDelegate& d) { d.refreshPersistentGridOverlay(); }, 1},
        // One more: which screens preview which Spaces.
        {"preview schedule", [](AppDelegate& d) { d.scheduleAllVisibleSpacePreviewRefreshes(); },
         2},
        // A fixed few for the layout, the titles and the pictures; not one per cell.
        {"grid model", [](AppDelegate& d) { d.makeCurrentGridOSDModel("UUID-A"); }, 6},
        // Every finished capture asks; with no grid shown there is nothing to redraw.
        {"capture finished with no grid shown",
         [](AppDelegate& d) {
             d.gridModeStore.isEnabled.set(true);
             d.refreshVisibleGridOSDIfNeeded(OSDGridSpaceContext{"UUID-A", 101, 0, 8});
         },
         0},
    };
    for (const auto& [name, pass, expected] : passes) {
        World world(fakes::switchingScenario(103),
                    [](AppDelegateDependencies& dependencies) { dependencies.hotkeys = nullptr; });
        int reads = 0;
        SystemCalls& calls = world.host.calls();
        calls.copyManagedDisplaySpaces = [&reads, read = calls.copyManagedDisplaySpaces](int cid) {
            ++reads;
            return read(cid);
        };
        pass(world.d());
        EXPECT_EQ(reads, expected) << name;
    }
}

TEST(AppDelegateSpaceResolution, renumberedSpacesKeepTheLayoutAndRekeyEveryCache) {
    World world;
    world.seams.windowPreviews->previewDisplays["UUID-A"] = {"UUID-A", "UUID-B"};
    // The user swapped the first two Spaces.
    ASSERT_TRUE(world.d().spaceOrderStore.moveVisualOrder(0, 1, OSDGridRearrangementBehavior::swap,
                                                          "UUID-A", kSystemA, 101, false, 8, 0));
    ASSERT_TRUE(world.d().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A"));

    // After a restart of the window server the same Spaces come back with new IDs.
    std::vector<SpaceList> lists = world.host.windowServer().spaceLists();
    for (ManagedSpace& space : lists[0].spaces) {
        space.id64 += 200;
    }
    lists[0].currentSpace = 301;
    world.host.windowServer().configureSpaces(true, lists);

    const auto resolved = world.d().resolveDisplaySpaceOrderSnapshotWithDescriptors("UUID-A");
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->displaySnapshot.visualOrderedSpaceIDs,
              (std::vector<SpaceID>{302, 301, 303, 304, 305, 306, 307, 308}));
    // The display's caches, then those of each display showing its previews.
    const auto& previews = *world.seams.windowPreviews;
    EXPECT_EQ(previews.calls, (std::vector<std::string>{"remapSpaceDisplayCaches UUID-A",
                                                        "previewDisplayIdentifiers UUID-A",
                                                        "remapPreviewDisplayCaches UUID-A",
                                                        "remapPreviewDisplayCaches UUID-B"}));
    ASSERT_EQ(previews.spaceDisplayRemaps.size(), 1u);
    EXPECT_EQ(previews.spaceDisplayRemaps[0].second.at(101), 301u);
    EXPECT_EQ(previews.spaceDisplayRemaps[0].second.at(108), 308u);
    ASSERT_EQ(previews.previewDisplayRemaps.size(), 2u);
    EXPECT_EQ(previews.previewDisplayRemaps[1].second, previews.spaceDisplayRemaps[0].second);
}

TEST(AppDelegateSpaceResolution, postingHidesEveryOSDFirstAndOnlyThePredictingReadSeesIt) {
    World world;
    ASSERT_TRUE(world.d().guardSpaceControlAccess());
    world.seams.osdWindow->visible = {std::string("UUID-A"), std::string("UUID-B")};
    ASSERT_TRUE(world.d().postSpaceSwitch(4, std::string("UUID-A")));
    EXPECT_EQ(world.seams.osdWindow->suspendCount, 1);
    EXPECT_TRUE(world.seams.osdWindow->visible.empty());

    using Reading = AppDelegate::SpaceInfoReading;
    const auto live = world.d().resolveLiveSpaceInfo(std::string("UUID-A"), Reading::live);
    const auto predicted =
        world.d().resolveLiveSpaceInfo(std::string("UUID-A"), Reading::predicting);
    ASSERT_TRUE(live && predicted);
    EXPECT_EQ(live->currentSpaceID, 101u);
    EXPECT_EQ(predicted->currentSpaceID, 105u);
    EXPECT_FALSE(world.d().resolveLiveSpaceInfo(std::string("UUID-GONE")));
    world.settle();
    EXPECT_EQ(world.current(), 105u);
    EXPECT_EQ(world.current("UUID-B"), 201u);
}

} // namespace
} // namespace tessarin
