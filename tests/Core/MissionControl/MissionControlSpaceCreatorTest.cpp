#include "Core/MissionControl/MissionControlSpaceCreator.h"

#include "Platform/Host.h"
#include "Platform/MissionControl.h"
#include "Platform/Scenario.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace tessarin {
namespace {

constexpr int32_t kDockPID = 97;

ScenarioSpace desktop(SpaceID id) {
    return ScenarioSpace{id, kSpaceTypeUserDesktop, "", std::nullopt};
}

// Display 1 "UUID-A" with Desktops 11, 12, full-screen 13 and Desktop 14; display 2 "UUID-B"
// with Desktops 21 and 22.
Scenario twoDisplays() {
    Scenario s;
    s.displays = {
        Screen{1, "UUID-A", "Built-in", Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875), 2.0},
        Screen{2, "UUID-B", "Studio", Rect(1440, 0, 1920, 1080), Rect(1440, 0, 1920, 1055), 1.0}};
    s.spaceLists = {{"UUID-A",
                     {desktop(11), desktop(12),
                      ScenarioSpace{13, kSpaceTypeFullScreen, "", std::nullopt}, desktop(14)},
                     11},
                    {"UUID-B", {desktop(21), desktop(22)}, 21}};
    s.applications = {{kDockPID, "com.apple.dock", "Dock"}};
    s.dockProcessIdentifier = kDockPID;
    return s;
}

const MissionControlSpaceCreationTarget kTargetA{"UUID-A", "UUID-A", 1};
const MissionControlSpaceCreationTarget kTargetB{"UUID-B", "UUID-B", 2};

class MissionControlSpaceCreatorTest : public ::testing::Test {
protected:
    std::vector<SpaceID> spaceIDs(const std::string& list) {
        std::vector<SpaceID> ids;
        const auto spaces = host.windowServer().spaceList(list).value().spaces;
        for (const ManagedSpace& space : spaces) {
            ids.push_back(space.id64);
        }
        return ids;
    }

    struct Created {
        MissionControlSpaceCreationResult result;
        std::optional<SpaceID> spaceID;
        TimeInterval at;
    };
    struct Removed {
        MissionControlSpaceRemovalResult result;
        TimeInterval at;
    };

    WorkItem create(const MissionControlSpaceCreationTarget& target) {
        return creator->createSpace(target, [this](auto result, auto spaceID) {
            created.push_back({result, spaceID, queue.now() - start});
        });
    }
    WorkItem remove(const MissionControlSpaceCreationTarget& target, uint32_t index, SpaceID id) {
        return creator->removeSpace(target, index, id, [this](auto result) {
            removed.push_back({result, queue.now() - start});
        });
    }

    MissionControl& missionControl() { return host.missionControl(); }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{twoDisplays(), queue};
    ScopedCurrentHost current{host};
    std::unique_ptr<MissionControlSpaceCreator> creator =
        std::make_unique<MissionControlSpaceCreator>();
    TimeInterval start = queue.now();
    std::vector<Created> created;
    std::vector<Removed> removed;
};

TEST_F(MissionControlSpaceCreatorTest, removesTheDesktopWithThatSpaceID) {
    remove(kTargetA, 1, 12);
    queue.advance(2.0);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].result, MissionControlSpaceRemovalResult::removed);
    EXPECT_EQ(spaceIDs("UUID-A"), (std::vector<SpaceID>{11, 13, 14}));
    EXPECT_EQ(spaceIDs("UUID-B"), (std::vector<SpaceID>{21, 22}));
    EXPECT_FALSE(missionControl().isOpen());

    // The caller saw Space 14 at index 3, but 13 went away meanwhile: found by its ID.
    host.windowServer().removeSpace(13);
    remove(kTargetA, 3, 14);
    queue.advance(2.0);
    ASSERT_EQ(removed.size(), 2u);
    EXPECT_EQ(removed[1].result, MissionControlSpaceRemovalResult::removed);
    EXPECT_EQ(spaceIDs("UUID-A"), (std::vector<SpaceID>{11}));
}

TEST_F(MissionControlSpaceCreatorTest, refusalsBeforeMissionControlOpens) {
    using Result = MissionControlSpaceRemovalResult;
    // clang-format off
    struct Case { const char* name; std::function<void(Host&)> arrange; SpaceID spaceID; Result expected; };
    const std::vector<Case> cases = {
        {"not trusted", [](Host& h) { h.system().setProcessTrusted(false); }, 12, Result::accessibilityPermissionMissing},
        {"no Dock running", [](Host& h) { h.system().removeRunningApplication(kDockPID); }, 12, Result::dockUnavailable},
        {"Spaces unreadable", [](Host& h) { h.windowServer().setSpacesReadable(false); }, 12, Result::spacesUnavailable},
        {"Space already gone", [](Host&) {}, 99, Result::spaceNotFound},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualMainQueue localQueue;
        ScopedMainQueue scoped(localQueue);
        Host localHost(twoDisplays(), localQueue);
        ScopedCurrentHost currentHost(localHost);
        c.arrange(localHost);
        MissionControlSpaceCreator localCreator;
        std::optional<MissionControlSpaceRemovalResult> result;
        localCreator.removeSpace(kTargetA, 1, c.spaceID, [&](auto r) { result = r; });
        localQueue.advance(0.01);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(localHost.missionControl().openRequestCount(), 0u);
    }
}

TEST_F(MissionControlSpaceCreatorTest,
       missionControlThatNeverOpensTimesOutAfterOneAndAHalfSeconds) {
    missionControl().setIgnoresOpenRequests(true);
    create(kTargetA);
    queue.advance(1.45);
    EXPECT_TRUE(created.empty());
    queue.advance(0.1);
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].result, MissionControlSpaceCreationResult::missionControlDidNotOpen);
    EXPECT_NEAR(created[0].at, 1.5, 1e-6);
    EXPECT_EQ(created[0].spaceID, std::nullopt);
    EXPECT_EQ(missionControl().closeRequestCount(), 1u);
}

TEST_F(MissionControlSpaceCreatorTest, aSpaceListThatNeverChangesTimesOutTwoSecondsAfterThePress) {
    missionControl().setIgnoresEdits(true);
    missionControl().setOpeningDelay(0.32);
    remove(kTargetA, 0, 11);
    // Open at 0.32 s, seen and pressed at the poll of 0.35 s; two seconds of polling after it.
    queue.advance(2.3);
    EXPECT_TRUE(removed.empty());
    queue.advance(0.1);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].result, MissionControlSpaceRemovalResult::verificationTimedOut);
    EXPECT_NEAR(removed[0].at, 2.35, 1e-6);
    EXPECT_FALSE(missionControl().isOpen());
}

TEST_F(MissionControlSpaceCreatorTest, aSpaceTheBarMayNotCloseIsNotPressed) {
    // clang-format off
    struct Case { const char* name; MissionControlSpaceCreationTarget target; uint32_t index; SpaceID spaceID; };
    // clang-format on
    host.windowServer().removeSpace(22);
    for (const Case& c : {Case{"a full-screen Space", kTargetA, 2, 13},
                          Case{"the last Desktop of a display", kTargetB, 0, 21}}) {
        SCOPED_TRACE(c.name);
        removed.clear();
        remove(c.target, c.index, c.spaceID);
        queue.advance(2.0);
        ASSERT_EQ(removed.size(), 1u);
        EXPECT_EQ(removed[0].result, MissionControlSpaceRemovalResult::closeActionUnavailable);
        EXPECT_FALSE(missionControl().isOpen());
    }
    EXPECT_TRUE(missionControl().edits().empty());
}

// Pressing by position in a bar out of step with the window server could close another Desktop.
TEST_F(MissionControlSpaceCreatorTest, aBarShowingAnotherNumberOfSpacesIsNotPressed) {
    auto collaborators = MissionControlSpaceCreator::Collaborators::hostDefaults();
    collaborators.spaceIDs = [this](const std::string& list) {
        std::vector<SpaceID> ids = spaceIDs(list);
        ids.push_back(15); // listed by the window server, not yet shown by the bar
        return std::optional(ids);
    };
    creator = std::make_unique<MissionControlSpaceCreator>(std::move(collaborators));
    remove(kTargetA, 1, 12);
    queue.advance(2.0);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].result, MissionControlSpaceRemovalResult::desktopButtonNotFound);
    EXPECT_TRUE(missionControl().edits().empty());
}

TEST_F(MissionControlSpaceCreatorTest, aDisplayWithoutASpacesBarIsReportedOnceMissionControlShows) {
    create(MissionControlSpaceCreationTarget{"UUID-C", "UUID-A", 7});
    queue.advance(1.6);
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].result, MissionControlSpaceCreationResult::spacesBarNotFound);
    EXPECT_FALSE(missionControl().isOpen());
}

TEST_F(MissionControlSpaceCreatorTest, missionControlOpenedByTheUserStaysOpen) {
    missionControl().open();
    queue.advance(0.5);
    create(kTargetA);
    queue.advance(1.0);
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].result, MissionControlSpaceCreationResult::created);
    EXPECT_TRUE(missionControl().isOpen());
    EXPECT_EQ(missionControl().openRequestCount(), 1u);
    EXPECT_EQ(spaceIDs("UUID-A").size(), 5u);
}

} // namespace
} // namespace tessarin
