#include "Platform/MissionControl.h"

#include "Platform/Accessibility.h"
#include "Platform/AccessibilityNames.h"
#include "Platform/MissionControlAccessibility.h"
#include "PlatformWorld.h"

#include <algorithm>

namespace tessarin {
namespace {

namespace Id = MissionControlAccessibilityIdentifier;
constexpr DisplayID kDisplayA = 1;
constexpr DisplayID kDisplayB = 2;

class MissionControlTest : public HostWorld {
protected:
    explicit MissionControlTest(bool separateSpaces = true)
        : HostWorld(twoDisplays(separateSpaces)) {}

    Accessibility& ax() { return host.accessibility(); }
    MissionControl& missionControl() { return host.missionControl(); }
    AccessibilityElement dock() { return ax().createApplication(97); }

    void openMissionControl() {
        missionControl().open();
        queue.advance(missionControl().openingDelay());
        ASSERT_TRUE(missionControl().isOpen());
    }

    AccessibilityElementList children(const AccessibilityElement& element) {
        const auto value = ax().copyAttributeValue(element, AccessibilityAttribute::children);
        return value.succeeded()
                   ? accessibilityElements(*value.value).value_or(AccessibilityElementList{})
                   : AccessibilityElementList{};
    }

    std::string text(const AccessibilityElement& element, const char* attribute) {
        const auto value = ax().copyAttributeValue(element, attribute);
        return value.succeeded() ? accessibilityString(*value.value).value_or("") : "";
    }

    AccessibilityElement child(const AccessibilityElement& parent, const std::string& identifier) {
        for (const AccessibilityElement& element : children(parent)) {
            if (text(element, AccessibilityAttribute::identifier) == identifier) {
                return element;
            }
        }
        return {};
    }

    // The Spaces bar of a display, walked down from the Dock and found by the display's frame.
    AccessibilityElement spacesBar(DisplayID displayID) {
        for (const AccessibilityElement& display : children(child(dock(), Id::missionControl))) {
            const auto frame = ax().copyAttributeValue(display, AccessibilityAttribute::frame);
            if (frame.succeeded() &&
                accessibilityFrame(*frame.value) == host.displays().bounds(displayID)) {
                return child(display, Id::spacesBar);
            }
        }
        return {};
    }

    AccessibilityElementList buttons(DisplayID display) {
        return children(child(spacesBar(display), Id::spacesList));
    }
    AccessibilityElement addButton(DisplayID display) {
        return child(spacesBar(display), Id::addDesktopButton);
    }
    AccessibilityError press(const AccessibilityElement& element,
                             const char* action = AccessibilityAction::press) {
        return ax().performAction(element, action);
    }
};

TEST_F(MissionControlTest, theSpacesBarExistsOnlyWhileMissionControlShows) {
    missionControl().open();
    queue.advance(missionControl().openingDelay() - 0.01);
    EXPECT_FALSE(host.windowServer().isMissionControlOpen());
    EXPECT_TRUE(children(dock()).empty());
    queue.advance(0.02);
    EXPECT_TRUE(host.windowServer().isMissionControlOpen());
    const auto displays = children(child(dock(), Id::missionControl));
    ASSERT_EQ(displays.size(), 2u);
    EXPECT_EQ(addButton(kDisplayA), addButton(kDisplayA)); // read twice, the same element
    EXPECT_FALSE(addButton(kDisplayA) == addButton(kDisplayB));

    missionControl().close();
    EXPECT_FALSE(host.windowServer().isMissionControlOpen());
    EXPECT_TRUE(children(dock()).empty());
    EXPECT_EQ(ax().copyAttributeValue(displays[0], AccessibilityAttribute::children).error,
              AccessibilityError::invalidElement);
}

TEST_F(MissionControlTest, addingADesktopLandsOnThatDisplayAfterTheBarSettles) {
    openMissionControl();
    ASSERT_EQ(press(addButton(kDisplayB)), AccessibilityError::success);
    EXPECT_EQ(missionControl().pendingEditCount(), 1u);
    queue.advance(missionControl().editSettleDelay() - 0.01);
    EXPECT_EQ(spaceIDs("UUID-B").size(), 2u);
    queue.advance(0.02);
    const auto ids = spaceIDs("UUID-B");
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(spaceIDs("UUID-A").size(), 4u);
    EXPECT_EQ(buttons(kDisplayB).size(), 3u);
    ASSERT_EQ(missionControl().edits().size(), 1u);
    EXPECT_EQ(
        missionControl().edits()[0],
        (MissionControl::Edit{MissionControl::Edit::Kind::addDesktop, "UUID-B", ids[2], true}));
}

TEST_F(MissionControlTest, onlyADesktopThatMayGoOffersTheCloseAction) {
    openMissionControl();
    // Display B keeps two Desktops until one goes; then its last one may not be closed.
    const auto closed = buttons(kDisplayB).at(1);
    ASSERT_EQ(press(closed, MissionControlAccessibilityAction::closeDesktop),
              AccessibilityError::success);
    queue.advance(missionControl().editSettleDelay());
    EXPECT_EQ(spaceIDs("UUID-B"), std::vector<SpaceID>{21});
    EXPECT_EQ(press(closed, MissionControlAccessibilityAction::closeDesktop),
              AccessibilityError::invalidElement);
    const std::tuple<const char*, DisplayID, std::size_t, bool> cases[] = {
        {"a desktop among several", kDisplayA, 0, true},
        {"a full-screen Space", kDisplayA, 2, false},
        {"the last desktop of a display", kDisplayB, 0, false},
    };
    for (const auto& [name, display, index, closable] : cases) {
        SCOPED_TRACE(name);
        const auto button = buttons(display).at(index);
        const auto actions = ax().copyActionNames(button).value.value();
        EXPECT_EQ(std::count(actions.begin(), actions.end(),
                             MissionControlAccessibilityAction::closeDesktop),
                  closable ? 1 : 0);
        if (!closable) {
            EXPECT_EQ(press(button, MissionControlAccessibilityAction::closeDesktop),
                      AccessibilityError::actionUnsupported);
        }
    }
    queue.advance(1.0);
    EXPECT_EQ(spaceIDs("UUID-A"), (std::vector<SpaceID>{11, 12, 13, 14}));
    EXPECT_EQ(spaceIDs("UUID-B"), std::vector<SpaceID>{21});
}

class SharedSpacesMissionControlTest : public MissionControlTest {
protected:
    SharedSpacesMissionControlTest() : MissionControlTest(false) {}
};

TEST_F(SharedSpacesMissionControlTest, everyDisplayShowsTheSharedListAndAddsToIt) {
    openMissionControl();
    EXPECT_EQ(buttons(kDisplayA).size(), 2u);
    ASSERT_EQ(press(addButton(kDisplayB)), AccessibilityError::success);
    queue.advance(missionControl().editSettleDelay());
    EXPECT_EQ(spaceIDs("Main").size(), 3u);
    EXPECT_EQ(buttons(kDisplayA).size(), 3u);
}

} // namespace
} // namespace tessarin
