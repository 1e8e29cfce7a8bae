// The host's Trackpad pane reads and writes the trackpads' and the Dock's preferences as the
// system keeps them: a gesture given to the system is a 2 in either trackpad's domain.

#include "Platform/PlatformWorld.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/SystemSettings/SystemSettings.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tessarin {
namespace {

using Fingers = TrackpadGestureFingers;
using Gesture = TrackpadGesture;
using Change = SystemSettings::Change;

constexpr const char* kBuiltIn = TrackpadPane::kBuiltInDomain;
constexpr const char* kBluetooth = TrackpadPane::kBluetoothDomain;
constexpr const char* kDock = TrackpadPane::kDockDomain;

class TrackpadPaneTest : public HostWorld {
protected:
    TrackpadPane& pane() { return host.systemSettings().trackpadPane(); }
    void store(const char* domain, const char* key, PropertyValue value) {
        host.preferences().setAppValue(key, std::move(value), domain);
    }
    std::optional<int64_t> integer(const char* domain, const char* key) {
        const auto value = host.preferences().copyAppValue(key, domain);
        return value ? value->integerValue() : std::nullopt;
    }
    std::optional<bool> flag(const char* domain, const char* key) {
        const auto value = host.preferences().copyAppValue(key, domain);
        return value ? value->boolValue() : std::nullopt;
    }
    // Every gesture on, as a trackpad set up by hand has them.
    void allOn() {
        store(kBuiltIn, "TrackpadThreeFingerHorizSwipeGesture", int64_t{2});
        store(kBluetooth, "TrackpadFourFingerVertSwipeGesture", int64_t{2});
        store(kDock, TrackpadPane::kMissionControlKey, true);
        store(kDock, TrackpadPane::kAppExposeKey, true);
        store(kBuiltIn, "TrackpadThreeFingerTapGesture", int64_t{2});
        store(kBluetooth, "TrackpadThreeFingerDrag", true);
    }
    std::vector<Fingers> shown() {
        std::vector<Fingers> fingers;
        for (const TrackpadPaneEntry& entry : pane().entries()) {
            fingers.push_back(entry.fingers);
        }
        return fingers;
    }
};

TEST_F(TrackpadPaneTest, ListsEachGestureAsTheTrackpadsAndTheDockHaveIt) {
    std::vector<std::string> names;
    for (const TrackpadPaneEntry& entry : pane().entries()) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Swipe between full-screen applications",
                                               "Mission Control", "App Exposé",
                                               "Look up & data detectors", "Three-finger drag"}));
    EXPECT_EQ(shown(), std::vector<Fingers>(5, Fingers::off)) << "nothing stored: all off";
    allOn();
    EXPECT_EQ(shown(), (std::vector<Fingers>{Fingers::three, Fingers::four, Fingers::four,
                                             Fingers::three, Fingers::three}));
    // The built-in trackpad's tap and drag settings count before the Bluetooth one's.
    store(kBuiltIn, "TrackpadThreeFingerDrag", false);
    store(kBluetooth, "TrackpadThreeFingerTapGesture", int64_t{0});
    EXPECT_EQ(pane().fingers(Gesture::threeFingerDrag), Fingers::off);
    EXPECT_EQ(pane().fingers(Gesture::lookUpTap), Fingers::three);
}

// Stored values as the system reads them: a fraction is cut off, and an absent Dock setting
// leaves its vertical swipe off.
TEST_F(TrackpadPaneTest, ReadsStoredValuesAsTheSystemDoes) {
    const struct {
        const char* name;
        const char* key;
        PropertyValue value;
        Gesture gesture;
        Fingers fingers;
    } cases[] = {
        {"two and a half gives the swipe", "TrackpadThreeFingerHorizSwipeGesture", 2.5,
         Gesture::fullScreenSwipe, Fingers::three},
        {"one and a half does not", "TrackpadFourFingerHorizSwipeGesture", 1.5,
         Gesture::fullScreenSwipe, Fingers::off},
        {"Mission Control without the Dock's setting", "TrackpadThreeFingerVertSwipeGesture",
         int64_t{2}, Gesture::missionControlSwipe, Fingers::off},
        {"App Exposé without the Dock's setting", "TrackpadFourFingerVertSwipeGesture", int64_t{2},
         Gesture::appExposeSwipe, Fingers::off},
    };
    for (const auto& c : cases) {
        host.preferences().setAppValue(c.key, c.value, kBuiltIn);
        EXPECT_EQ(pane().fingers(c.gesture), c.fingers) << c.name;
        host.preferences().setAppValue(c.key, PropertyValue(int64_t{0}), kBuiltIn);
    }
}

// A swipe whose three- and four-finger keys are both given to the system is three fingers, as
// the system reads it, for the horizontal swipe and the vertical ones alike.
TEST_F(TrackpadPaneTest, ASwipeGivenToTheSystemWithThreeAndFourFingersShowsThree) {
    store(kDock, TrackpadPane::kMissionControlKey, true);
    store(kDock, TrackpadPane::kAppExposeKey, true);
    for (const char* key :
         {"TrackpadThreeFingerHorizSwipeGesture", "TrackpadFourFingerHorizSwipeGesture",
          "TrackpadThreeFingerVertSwipeGesture", "TrackpadFourFingerVertSwipeGesture"}) {
        store(kBuiltIn, key, int64_t{2});
    }
    EXPECT_EQ(pane().fingers(Gesture::fullScreenSwipe), Fingers::three);
    EXPECT_EQ(pane().fingers(Gesture::missionControlSwipe), Fingers::three);
    EXPECT_EQ(pane().fingers(Gesture::appExposeSwipe), Fingers::three);
}

TEST_F(TrackpadPaneTest, EachGestureTurnsOffInBothTrackpadsAndTheDock) {
    struct Case {
        const char* name;
        Gesture gesture;
        std::vector<Fingers> after;
    };
    const Case cases[] = {
        {"full-screen swipe",
         Gesture::fullScreenSwipe,
         {Fingers::off, Fingers::four, Fingers::four, Fingers::three, Fingers::three}},
        {"Mission Control, App Exposé keeps the swipe",
         Gesture::missionControlSwipe,
         {Fingers::three, Fingers::off, Fingers::four, Fingers::three, Fingers::three}},
        {"App Exposé",
         Gesture::appExposeSwipe,
         {Fingers::three, Fingers::four, Fingers::off, Fingers::three, Fingers::three}},
        {"look up",
         Gesture::lookUpTap,
         {Fingers::three, Fingers::four, Fingers::four, Fingers::off, Fingers::three}},
        {"three-finger drag",
         Gesture::threeFingerDrag,
         {Fingers::three, Fingers::four, Fingers::four, Fingers::three, Fingers::off}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        allOn();
        EXPECT_TRUE(pane().setFingers(c.gesture, Fingers::off));
        EXPECT_EQ(shown(), c.after);
    }
    // Both vertical swipes off: the trackpads give no vertical swipe to the system.
    allOn();
    pane().setFingers(Gesture::missionControlSwipe, Fingers::off);
    pane().setFingers(Gesture::appExposeSwipe, Fingers::off);
    for (const char* domain : {kBuiltIn, kBluetooth}) {
        EXPECT_EQ(integer(domain, "TrackpadThreeFingerVertSwipeGesture"), 0) << domain;
        EXPECT_EQ(integer(domain, "TrackpadFourFingerVertSwipeGesture"), 0) << domain;
    }
    EXPECT_EQ(integer(kBuiltIn, "TrackpadThreeFingerTapGesture"), 2) << "the tap is left as it was";
    pane().setFingers(Gesture::threeFingerDrag, Fingers::off);
    EXPECT_EQ(flag(kBuiltIn, "TrackpadThreeFingerDrag"), false);
    EXPECT_EQ(flag(kBluetooth, "TrackpadThreeFingerDrag"), false);
}

TEST_F(TrackpadPaneTest, SwipesUpAndDownShareTheirFingers) {
    allOn();
    EXPECT_TRUE(pane().setFingers(Gesture::missionControlSwipe, Fingers::three));
    EXPECT_EQ(pane().fingers(Gesture::appExposeSwipe), Fingers::three);
    EXPECT_EQ(integer(kBuiltIn, "TrackpadFourFingerVertSwipeGesture"), 0);
    EXPECT_EQ(integer(kBluetooth, "TrackpadThreeFingerVertSwipeGesture"), 2);
    EXPECT_TRUE(pane().setFingers(Gesture::fullScreenSwipe, Fingers::four));
    EXPECT_EQ(integer(kBuiltIn, "TrackpadThreeFingerHorizSwipeGesture"), 0);
    EXPECT_EQ(integer(kBluetooth, "TrackpadFourFingerHorizSwipeGesture"), 2);
}

TEST_F(TrackpadPaneTest, TheTapAndTheDragTakeThreeFingersOnly) {
    EXPECT_FALSE(pane().setFingers(Gesture::lookUpTap, Fingers::four));
    EXPECT_FALSE(pane().setFingers(Gesture::threeFingerDrag, Fingers::four));
    EXPECT_FALSE(host.preferences().copyAppValue("TrackpadThreeFingerTapGesture", kBuiltIn));
    EXPECT_TRUE(pane().setFingers(Gesture::lookUpTap, Fingers::three));
    EXPECT_EQ(pane().fingers(Gesture::lookUpTap), Fingers::three);
}

TEST_F(TrackpadPaneTest, AChangeOfAGestureTellsTheWindow) {
    std::vector<Change> changes;
    const auto token =
        host.systemSettings().addObserver([&](Change change) { changes.push_back(change); });
    pane().setFingers(Gesture::threeFingerDrag, Fingers::three);
    pane().setFingers(Gesture::missionControlSwipe, Fingers::off);
    host.systemSettings().removeObserver(token);
    EXPECT_FALSE(changes.empty());
    EXPECT_TRUE(std::ranges::all_of(changes, [](Change c) { return c == Change::listChanged; }));
}

} // namespace
} // namespace tessarin
