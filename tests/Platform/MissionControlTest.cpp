#include "Platform/MissionControl.h"

#include "Platform/Accessibility.h"
#include "Platform/AccessibilityNames.h"
#include "Platform/Host.h"
#include "Platform/MissionControlAccessibility.h"
#include "Platform/Scenario.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"
#include "Support/VirtualMainQueue.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tessarin {
namespace {

constexpr int32_t kDockPID = 97;
constexpr DisplayID kDisplayA = 1;
constexpr DisplayID kDisplayB = 2;

ScenarioSpace desktop(SpaceID id) {
    return ScenarioSpace{id, kSpaceTypeUserDesktop, "", std::nullopt};
}

// Display A (main) with Desktops 11, 12, a full-screen Space 13 and Desktop 14; display B to
// its right with Desktops 21 and 22. Or both displays on one shared list "Main".
Scenario twoDisplays(bool separateSpaces = true) {
    Scenario s;
    s.displays = {
        Screen{kDisplayA, "UUID-A", "Built-in", Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875), 2.0},
        Screen{kDisplayB, "UUID-B", "Studio", Rect(1440, 0, 1920, 1080), Rect(1440, 0, 1920, 1055),
               1.0}};
    s.displaysHaveSeparateSpaces = separateSpaces;
    if (separateSpaces) {
        s.spaceLists = {{"UUID-A",
                         {desktop(11), desktop(12),
                          ScenarioSpace{13, kSpaceTypeFullScreen, "", std::nullopt}, desktop(14)},
                         11},
                        {"UUID-B", {desktop(21), desktop(22)}, 21}};
    } else {
        s.spaceLists = {{"Main", {desktop(31), desktop(32)}, 31}};
    }
    s.applications = {{kDockPID, "com.apple.dock", "Dock"}};
    s.dockProcessIdentifier = kDockPID;
    return s;
}

class MissionControlTest : public ::testing::Test {
protected:
    explicit MissionControlTest(bool separateSpaces = true)
        : host(twoDisplays(separateSpaces), queue) {}

    Accessibility& ax() { return host.accessibility(); }
    MissionControl& missionControl() { return host.missionControl(); }
    AccessibilityElement dock() { return ax().createApplication(kDockPID); }

    void openMissionControl() {
        missionControl().open();
        queue.advance(missionControl().openingDelay());
        ASSERT_TRUE(missionControl().isOpen());
    }

    AccessibilityElementList children(const AccessibilityElement& element) {
        const auto value = ax().copyAttributeValue(element, AccessibilityAttribute::children);
        if (!value.succeeded()) {
            return {};
        }
        return accessibilityElements(*value.value).value_or(AccessibilityElementList{});
    }

    std::string text(const AccessibilityElement& element, const char* attribute) {
        const auto value = ax().copyAttributeValue(element, attribute);
        return value.succeeded() ? accessibilityString(*value.value).value_or("") : "";
    }

    AccessibilityElement childWithIdentifier(const AccessibilityElement& parent,
                                             const std::string& identifier) {
        for (const AccessibilityElement& child : children(parent)) {
            if (text(child, AccessibilityAttribute::identifier) == identifier) {
                return child;
            }
        }
        return {};
    }

    // The Spaces bar of the display with the given bounds, walked down from the Dock.
    AccessibilityElement spacesBar(DisplayID displayID) {
        const auto group =
            childWithIdentifier(dock(), MissionControlAccessibilityIdentifier::missionControl);
        for (const AccessibilityElement& display : children(group)) {
            const auto frame = ax().copyAttributeValue(display, AccessibilityAttribute::frame);
            if (frame.succeeded() &&
                accessibilityFrame(*frame.value) == host.displays().bounds(displayID)) {
                return childWithIdentifier(display,
                                           MissionControlAccessibilityIdentifier::spacesBar);
            }
        }
        return {};
    }

    AccessibilityElementList desktopButtons(DisplayID displayID) {
        return children(childWithIdentifier(spacesBar(displayID),
                                            MissionControlAccessibilityIdentifier::spacesList));
    }

    AccessibilityElement addButton(DisplayID displayID) {
        return childWithIdentifier(spacesBar(displayID),
                                   MissionControlAccessibilityIdentifier::addDesktopButton);
    }

    std::vector<SpaceID> spaceIDs(const std::string& list) {
        std::vector<SpaceID> ids;
        const auto spaces = host.windowServer().spaceList(list).value().spaces;
        for (const ManagedSpace& space : spaces) {
            ids.push_back(space.id64);
        }
        return ids;
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host;
    ScopedCurrentHost current{host};
};

TEST_F(MissionControlTest, theSpacesBarExistsOnlyWhileMissionControlShows) {
    EXPECT_EQ(text(dock(), AccessibilityAttribute::role), AccessibilityRole::application);
    EXPECT_TRUE(children(dock()).empty());

    missionControl().open();
    queue.advance(missionControl().openingDelay() - 0.01);
    EXPECT_FALSE(host.windowServer().isMissionControlOpen());
    EXPECT_TRUE(children(dock()).empty());
    queue.advance(0.02);
    EXPECT_TRUE(host.windowServer().isMissionControlOpen());

    const auto group =
        childWithIdentifier(dock(), MissionControlAccessibilityIdentifier::missionControl);
    ASSERT_FALSE(group.isNull());
    const auto displays = children(group);
    ASSERT_EQ(displays.size(), 2u);
    EXPECT_EQ(accessibilityFrame(
                  *ax().copyAttributeValue(displays[1], AccessibilityAttribute::frame).value),
              host.displays().bounds(kDisplayB));

    missionControl().close();
    EXPECT_FALSE(host.windowServer().isMissionControlOpen());
    EXPECT_TRUE(children(dock()).empty());
    EXPECT_EQ(ax().copyAttributeValue(displays[0], AccessibilityAttribute::children).error,
              AccessibilityError::invalidElement);
}

TEST_F(MissionControlTest, desktopButtonsFollowSystemOrderAndNumberOnlyDesktops) {
    openMissionControl();
    std::vector<std::string> titles;
    for (const AccessibilityElement& button : desktopButtons(kDisplayA)) {
        titles.push_back(text(button, AccessibilityAttribute::title));
    }
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Desktop 1", "Desktop 2", "Full Screen", "Desktop 3"}));
    EXPECT_EQ(desktopButtons(kDisplayB).size(), 2u);
}

TEST_F(MissionControlTest, addingADesktopLandsOnThatDisplayAfterTheBarSettles) {
    openMissionControl();
    ASSERT_EQ(ax().performAction(addButton(kDisplayB), AccessibilityAction::press),
              AccessibilityError::success);
    EXPECT_EQ(missionControl().pendingEditCount(), 1u);
    queue.advance(missionControl().editSettleDelay() - 0.01);
    EXPECT_EQ(spaceIDs("UUID-B").size(), 2u);

    queue.advance(0.02);
    const auto ids = spaceIDs("UUID-B");
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(spaceIDs("UUID-A").size(), 4u);
    EXPECT_EQ(desktopButtons(kDisplayB).size(), 3u);
    ASSERT_EQ(missionControl().edits().size(), 1u);
    EXPECT_EQ(
        missionControl().edits()[0],
        (MissionControl::Edit{MissionControl::Edit::Kind::addDesktop, "UUID-B", ids[2], true}));
}

TEST_F(MissionControlTest, closingADesktopRemovesThatSpaceAndItsButton) {
    openMissionControl();
    const auto buttons = desktopButtons(kDisplayA);
    ASSERT_EQ(buttons.size(), 4u);
    const auto second = buttons[1];
    ASSERT_EQ(ax().performAction(second, MissionControlAccessibilityAction::closeDesktop),
              AccessibilityError::success);
    queue.advance(missionControl().editSettleDelay());

    EXPECT_EQ(spaceIDs("UUID-A"), (std::vector<SpaceID>{11, 13, 14}));
    EXPECT_EQ(ax().copyAttributeValue(second, AccessibilityAttribute::title).error,
              AccessibilityError::invalidElement);
    EXPECT_EQ(ax().performAction(second, MissionControlAccessibilityAction::closeDesktop),
              AccessibilityError::invalidElement);
}

TEST_F(MissionControlTest, onlyADesktopThatMayGoOffersTheCloseAction) {
    struct Case {
        const char* name;
        DisplayID display;
        std::size_t button;
        bool closable;
    };
    openMissionControl();
    // Display B keeps two Desktops until one goes; then its last one may not be closed.
    ASSERT_EQ(ax().performAction(desktopButtons(kDisplayB)[1],
                                 MissionControlAccessibilityAction::closeDesktop),
              AccessibilityError::success);
    queue.advance(missionControl().editSettleDelay());
    for (const Case& c : {Case{"a desktop among several", kDisplayA, 0, true},
                          Case{"a full-screen Space", kDisplayA, 2, false},
                          Case{"the last desktop of a display", kDisplayB, 0, false}}) {
        SCOPED_TRACE(c.name);
        const auto button = desktopButtons(c.display).at(c.button);
        const auto actions = ax().copyActionNames(button).value.value();
        EXPECT_EQ(std::count(actions.begin(), actions.end(),
                             MissionControlAccessibilityAction::closeDesktop),
                  c.closable ? 1 : 0);
        if (!c.closable) {
            EXPECT_EQ(ax().performAction(button, MissionControlAccessibilityAction::closeDesktop),
                      AccessibilityError::actionUnsupported);
        }
    }
    queue.advance(1.0);
    EXPECT_EQ(spaceIDs("UUID-B"), std::vector<SpaceID>{21});
}

TEST_F(MissionControlTest, withoutTrustEveryCallIsRefused) {
    openMissionControl();
    const auto add = addButton(kDisplayA);
    host.system().setProcessTrusted(false);
    EXPECT_EQ(ax().copyAttributeValue(dock(), AccessibilityAttribute::children).error,
              AccessibilityError::apiDisabled);
    EXPECT_EQ(ax().copyActionNames(add).error, AccessibilityError::apiDisabled);
    EXPECT_EQ(ax().performAction(add, AccessibilityAction::press), AccessibilityError::apiDisabled);
    queue.advance(1.0);
    EXPECT_EQ(spaceIDs("UUID-A").size(), 4u);
    EXPECT_TRUE(missionControl().edits().empty());
}

TEST_F(MissionControlTest, aStuckDockNeverOpensAndIgnoredEditsChangeNothing) {
    missionControl().setIgnoresOpenRequests(true);
    missionControl().open();
    queue.advance(5.0);
    EXPECT_FALSE(missionControl().isOpen());
    EXPECT_EQ(missionControl().openRequestCount(), 1u);

    missionControl().setIgnoresOpenRequests(false);
    openMissionControl();
    missionControl().setIgnoresEdits(true);
    ASSERT_EQ(ax().performAction(addButton(kDisplayA), AccessibilityAction::press),
              AccessibilityError::success);
    queue.advance(5.0);
    EXPECT_EQ(spaceIDs("UUID-A").size(), 4u);
    ASSERT_EQ(missionControl().edits().size(), 1u);
    EXPECT_FALSE(missionControl().edits()[0].landed);
    EXPECT_EQ(missionControl().pendingEditCount(), 0u);
}

TEST_F(MissionControlTest, closingBeforeItOpensDropsTheOpen) {
    missionControl().open();
    missionControl().close();
    queue.advance(1.0);
    EXPECT_FALSE(missionControl().isOpen());
    EXPECT_EQ(missionControl().closeRequestCount(), 1u);
}

TEST_F(MissionControlTest, pressingADesktopGoesThereAndLeavesMissionControl) {
    openMissionControl();
    ASSERT_EQ(ax().performAction(desktopButtons(kDisplayA)[3], AccessibilityAction::press),
              AccessibilityError::success);
    EXPECT_EQ(host.windowServer().currentSpace("UUID-A"), 14u);
    EXPECT_FALSE(missionControl().isOpen());
}

TEST_F(MissionControlTest, elementsReadTwiceAreEqualAndOtherProcessesPublishNoTree) {
    openMissionControl();
    EXPECT_EQ(addButton(kDisplayA), addButton(kDisplayA));
    EXPECT_FALSE(addButton(kDisplayA) == addButton(kDisplayB));
    EXPECT_EQ(
        ax().copyAttributeValue(ax().createApplication(4242), AccessibilityAttribute::children)
            .error,
        AccessibilityError::cannotComplete);
    EXPECT_EQ(ax().copyAttributeValue(addButton(kDisplayA), "AXNoSuchAttribute").error,
              AccessibilityError::attributeUnsupported);
    EXPECT_EQ(ax().performAction(AccessibilityElement(), AccessibilityAction::press),
              AccessibilityError::illegalArgument);
}

class SharedSpacesMissionControlTest : public MissionControlTest {
protected:
    SharedSpacesMissionControlTest() : MissionControlTest(false) {}
};

TEST_F(SharedSpacesMissionControlTest, everyDisplayShowsTheSharedListAndAddsToIt) {
    openMissionControl();
    EXPECT_EQ(desktopButtons(kDisplayA).size(), 2u);
    EXPECT_EQ(desktopButtons(kDisplayB).size(), 2u);
    ASSERT_EQ(ax().performAction(addButton(kDisplayB), AccessibilityAction::press),
              AccessibilityError::success);
    queue.advance(missionControl().editSettleDelay());
    EXPECT_EQ(spaceIDs("Main").size(), 3u);
    EXPECT_EQ(desktopButtons(kDisplayA).size(), 3u);
}

} // namespace
} // namespace tessarin
