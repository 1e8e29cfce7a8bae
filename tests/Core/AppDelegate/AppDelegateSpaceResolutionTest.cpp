#include "Core/Fakes/SwitchingWorld.h"
#include "Support/Environment.h"
#include "Support/Logger.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::SwitchingWorld;

const std::vector<SpaceID> kSystemA{101, 102, 103, 104, 105, 106, 107, 108};

std::vector<ManagedSpace> managed(std::initializer_list<SpaceID> ids) {
    std::vector<ManagedSpace> spaces;
    for (SpaceID id : ids) {
        spaces.push_back(ManagedSpace{id, kSpaceTypeUserDesktop, "uuid-" + std::to_string(id)});
    }
    return spaces;
}

TEST(AppDelegateSpaceResolution, aDisplayResolvesToItsLayoutInfoAndDescriptors) {
    SwitchingWorld world(fakes::switchingScenario(103));
    const auto resolved =
        world.delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(std::string("UUID-A"), 8);
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->displaySnapshot.systemOrderedSpaceIDs, kSystemA);
    EXPECT_EQ(resolved->displaySnapshot.activeSpaceID, 103u);
    EXPECT_EQ(resolved->displaySnapshot.activeVisualIndex, 2);
    ASSERT_TRUE(resolved->liveInfo);
    EXPECT_EQ(resolved->liveInfo->currentIndex, 2u);
    EXPECT_EQ(resolved->liveInfo->spaceCount, 8u);
    ASSERT_EQ(resolved->managedSpaceDescriptors.size(), 8u);
    const AppDelegate::LiveDisplaySpaceSnapshot live{resolved->managedSpaceDescriptors};
    EXPECT_EQ(live.systemOrderedSpaceIDs(), kSystemA);
    EXPECT_TRUE(AppDelegate::LiveDisplaySpaceSnapshot{}.systemOrderedSpaceIDs().empty());
}

TEST(AppDelegateSpaceResolution, nothingResolvesWithoutSpacesOrWithAnotherCount) {
    SwitchingWorld world;
    EXPECT_FALSE(world.delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(std::nullopt));
    EXPECT_FALSE(
        world.delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(std::string("UUID-GONE")));
    // The Spaces changed since the caller read their count.
    EXPECT_FALSE(
        world.delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(std::string("UUID-A"), 7));
    world.host.windowServer().setSpacesReadable(false);
    EXPECT_FALSE(
        world.delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(std::string("UUID-A")));
}

TEST(AppDelegateSpaceResolution, aPrefetchedListIsUsedInsteadOfReadingTheWindowServer) {
    SwitchingWorld world;
    const std::vector<ManagedDisplaySpaces> lists{ManagedDisplaySpaces{
        "UUID-A", ManagedSpace{902, kSpaceTypeUserDesktop, ""}, managed({901, 902})}};
    world.host.windowServer().setSpacesReadable(false);
    const auto resolved = world.delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(
        std::string("UUID-A"), std::nullopt, lists);
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->displaySnapshot.systemOrderedSpaceIDs, (std::vector<SpaceID>{901, 902}));
    EXPECT_EQ(resolved->displaySnapshot.activeVisualIndex, 1);
}

TEST(AppDelegateSpaceResolution, renumberedSpacesKeepTheLayoutAndRekeyTheCaches) {
    SwitchingWorld world;
    // The user swapped the first two Spaces.
    ASSERT_TRUE(world.delegate->spaceOrderStore.moveVisualOrder(
        0, 1, OSDGridRearrangementBehavior::swap, "UUID-A", kSystemA, 101, false, 8, 0));
    ASSERT_TRUE(
        world.delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(std::string("UUID-A")));

    // After a restart of the window server the same Spaces come back with new IDs.
    std::vector<SpaceList> lists = world.host.windowServer().spaceLists();
    for (SpaceList& list : lists) {
        if (list.displayIdentifier == "UUID-A") {
            for (ManagedSpace& space : list.spaces) {
                space.id64 += 200;
            }
            list.currentSpace = 301;
        }
    }
    world.host.windowServer().configureSpaces(true, lists);

    const auto resolved =
        world.delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(std::string("UUID-A"));
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->displaySnapshot.visualOrderedSpaceIDs,
              (std::vector<SpaceID>{302, 301, 303, 304, 305, 306, 307, 308}));
    const auto& remaps = world.seams.windowPreviews->spaceDisplayRemaps;
    ASSERT_EQ(remaps.size(), 1u);
    EXPECT_EQ(remaps[0].first, "UUID-A");
    EXPECT_EQ(remaps[0].second.at(101), 301u);
    EXPECT_EQ(remaps[0].second.at(108), 308u);
    EXPECT_EQ(world.seams.windowPreviews->previewDisplayRemaps.size(), 1u);
}

TEST(AppDelegateSpaceResolution, liveAndPredictingReadsDifferRightAfterAPost) {
    SwitchingWorld world;
    ASSERT_TRUE(world.delegate->guardSpaceControlAccess());
    ASSERT_TRUE(world.delegate->postSpaceSwitch(4, std::string("UUID-A")));
    const auto live = world.delegate->resolveLiveSpaceInfo(std::string("UUID-A"),
                                                           AppDelegate::SpaceInfoReading::live);
    const auto predicted = world.delegate->resolveLiveSpaceInfo(
        std::string("UUID-A"), AppDelegate::SpaceInfoReading::predicting);
    ASSERT_TRUE(live && predicted);
    EXPECT_EQ(live->currentSpaceID, 101u);
    EXPECT_EQ(predicted->currentSpaceID, 105u);
    // Without a display, the pointer's display (A) is read.
    const auto pointer = world.delegate->resolveLiveSpaceInfo(std::nullopt);
    ASSERT_TRUE(pointer);
    EXPECT_EQ(pointer->currentSpaceID, 101u);
    EXPECT_FALSE(world.delegate->resolveLiveSpaceInfo(std::string("UUID-GONE")));
}

TEST(AppDelegateSpaceResolution, postingHidesEveryOSDWindowFirst) {
    SwitchingWorld world;
    ASSERT_TRUE(world.delegate->guardSpaceControlAccess());
    world.seams.osdWindow->visible = {std::string("UUID-A"), std::string("UUID-B")};
    EXPECT_TRUE(world.delegate->postSpaceSwitch(1, std::string("UUID-B")));
    EXPECT_EQ(world.seams.osdWindow->suspendCount, 1);
    EXPECT_TRUE(world.seams.osdWindow->visible.empty());
    world.settle();
    EXPECT_EQ(world.current("UUID-B"), 202u);
    EXPECT_EQ(world.current("UUID-A"), 101u);
}

TEST(AppDelegateSpaceResolution, aFailedBridgeStartIsTriedAgainOnTheNextRequest) {
    testing::internal::CaptureStdout();
    int attempts = 0;
    SwitchingWorld world(fakes::switchingScenario(), [&] {
        ++attempts;
        return attempts > 1 && tessarin_init();
    });
    EXPECT_FALSE(world.delegate->guardSpaceControlAccess());
    EXPECT_TRUE(world.delegate->guardSpaceControlAccess());
    EXPECT_TRUE(world.delegate->guardSpaceControlAccess());
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(attempts, 2) << "started once it worked";
    EXPECT_EQ(world.beeps(), 1);
    EXPECT_TRUE(world.delegate->tessarinCoreInitialized);
}

TEST(AppDelegateSpaceResolution, theSnapshotRecordIsWrittenWhenDiagnosticsAreOn) {
    ScopedLogCapture capture;
    {
        const ScopedEnvironmentOverride debug("TESSARIN_SPACE_DEBUG", "1");
        SwitchingWorld world;
        world.delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(std::string("UUID-B"));
        world.delegate->resolveDisplaySpaceOrderSnapshotWithDescriptors(std::string("UUID-B"), 9);
    }
    const auto lines = capture.messages("SpaceDiagnostics");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "space snapshot display=UUID-B active=201 system=[201,202,203,204] "
                        "other=[101,102,103,104,105,106,107,108] duplicated=[] "
                        "allowsRecoveryReplacements=false visual=[201,202,203,204] "
                        "replacements=[:]");
    EXPECT_EQ(lines[1], "space snapshot failed display=UUID-B active=201 system=[201,202,203,204] "
                        "other=[101,102,103,104,105,106,107,108] duplicated=[] "
                        "allowsRecoveryReplacements=false expectedCount=9");
}

} // namespace
} // namespace tessarin
