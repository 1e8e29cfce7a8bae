#include "UI/OSD/OSDWindowTestSupport.h"

namespace tessarin::testing {
namespace {

constexpr uint64_t kControlOption = EventFlags::maskControl | EventFlags::maskAlternate;

struct Recorded {
    int started = 0;
    int hidden = 0;
    OSDDismissalCallbacks callbacks(bool immediately = false) {
        return {[this] { ++started; }, [this] { ++hidden; }, immediately};
    }
};

TEST_F(OSDWindowTest, TimedGridStaysForTheVisibleTimeThenFades) {
    struct Case {
        const char* name;
        std::optional<int64_t> storedMs;
        double visible, fade;
    };
    const Case cases[] = {{"default", std::nullopt, 0.8, 0.2},
                          {"short: all fade", 150, 0, 0.15},
                          {"long", 3000, 2.8, 0.2},
                          {"negative reads as the default", -5, 0.8, 0.2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.storedMs) {
            host.defaults().set("osdDurationMs", PropertyValue(*c.storedMs));
        }
        Recorded recorded;
        show(plainModel(4, 2), OSDDismissalBehavior::timer(), "UUID-A", recorded.callbacks());
        if (c.visible > 0) {
            queue.advance(c.visible - 0.005);
            EXPECT_EQ(recorded.started, 0);
        }
        queue.advance(c.visible > 0 ? 0.005 : 0);
        EXPECT_EQ(recorded.started, 1);
        EXPECT_TRUE(panel().isVisible());
        queue.advance(c.fade - 0.005);
        EXPECT_EQ(recorded.hidden, 0);
        queue.advance(0.01);
        EXPECT_EQ(recorded.hidden, 1);
        EXPECT_FALSE(window.isGridVisible("UUID-A"));
    }
}

TEST_F(OSDWindowTest, HeldModifiersKeepTheGridUntilOneRequiredKeyIsReleased) {
    host.events().physical().holdModifiers(kControlOption);
    queue.advance(0.01);
    Recorded recorded;
    show(plainModel(4, 2), OSDDismissalBehavior::untilModifiersReleased(kControlOption), "UUID-A",
         recorded.callbacks());
    host.events().physical().holdModifiers(EventFlags::maskShift);
    queue.advance(5);
    EXPECT_TRUE(window.isGridVisible("UUID-A"));
    EXPECT_TRUE(window.isMonitoringModifierFlags());
    host.events().physical().releaseModifiers(EventFlags::maskAlternate);
    queue.advance(0.01);
    EXPECT_EQ(recorded.started, 1);
    EXPECT_FALSE(window.isMonitoringModifierFlags());
    queue.advance(0.2);
    EXPECT_EQ(recorded.hidden, 1);
}

TEST_F(OSDWindowTest, ModifiersAlreadyUpHideAtOnceAndARefusedMonitorIsAbsent) {
    host.events().setMonitorsRefused(true);
    Recorded recorded;
    show(plainModel(4, 2), OSDDismissalBehavior::untilModifiersReleased(kControlOption), "UUID-A",
         recorded.callbacks());
    EXPECT_FALSE(window.isMonitoringModifierFlags());
    EXPECT_EQ(recorded.started, 1);
    queue.advance(0.2);
    EXPECT_EQ(recorded.hidden, 1);
}

TEST_F(OSDWindowTest, AShowDuringAFadeOvertakesIt) {
    Recorded first;
    show(plainModel(4, 2), OSDDismissalBehavior::manual(), "UUID-A", first.callbacks());
    window.hide(OSDWindow::fadeDuration);
    queue.advance(0.1);
    show(plainModel(6, 3), OSDDismissalBehavior::manual(), "UUID-A");
    queue.advance(1);
    EXPECT_EQ(first.started, 1);
    EXPECT_EQ(first.hidden, 0);
    ASSERT_TRUE(window.currentGridModel("UUID-A"));
    EXPECT_EQ(window.currentGridModel("UUID-A")->spaceCount(), 6);
}

// From opaque at the first frame to clear at the last; a second hide goes on from where it is.
TEST_F(OSDWindowTest, FadeLowersTheAlphaFromWhereItIsAndEndsOrderedOut) {
    constexpr double frame = 1.0 / 60;
    show(plainModel(4, 2));
    window.hide(0.2);
    queue.advance(frame);
    EXPECT_NEAR(panel().alpha(), 1 - frame / 0.2, 0.01);
    queue.advance(0.05 - frame);
    window.hide(0.2);
    queue.advance(frame);
    EXPECT_NEAR(panel().alpha(), 0.75 * (1 - frame / 0.2), 0.01);
    queue.advance(0.19 - frame);
    EXPECT_LT(panel().alpha(), 0.1);
    queue.advance(0.02);
    EXPECT_FALSE(panel().isVisible());
    EXPECT_DOUBLE_EQ(panel().alpha(), 1);
}

TEST_F(OSDWindowTest, HidingAGridNoLongerOnScreenReportsTheEndAtOnce) {
    Recorded recorded;
    show(plainModel(4, 2), OSDDismissalBehavior::manual(), "UUID-A", recorded.callbacks());
    panel().orderOut();
    window.hide(OSDWindow::fadeDuration);
    EXPECT_EQ(recorded.started, 1);
    EXPECT_EQ(recorded.hidden, 1);
}

// The grids that the hide began with are retired, and freed, by the second show.
TEST_F(OSDWindowTest, GridsShownWhileTheDismissalStartsStayUnfaded) {
    const auto showTwice = [&] {
        show(plainModel(6, 3));
        show(plainModel(8, 3));
    };
    show(plainModel(4, 2), OSDDismissalBehavior::manual(), "UUID-A",
         OSDDismissalCallbacks{showTwice, nullptr, false});
    window.hide(OSDWindow::fadeDuration);
    queue.advance(1);
    EXPECT_DOUBLE_EQ(panel().alpha(), 1);
    EXPECT_EQ(window.currentGridModel("UUID-A").value().spaceCount(), 8);
}

TEST_F(OSDWindowTest, ImmediateDismissalOrdersOutBeforeBothCallbacks) {
    bool visibleWhenStarted = true;
    int hidden = 0;
    show(plainModel(4, 2), OSDDismissalBehavior::manual(), "UUID-A",
         OSDDismissalCallbacks{[&] { visibleWhenStarted = panel().isVisible(); }, [&] { ++hidden; },
                               true});
    window.hide(OSDWindow::fadeDuration);
    EXPECT_FALSE(visibleWhenStarted);
    EXPECT_EQ(hidden, 1);
}

TEST_F(OSDWindowTest, SuspensionDropsTheCallbacksUncalled) {
    Recorded recorded;
    show(plainModel(4, 2), OSDDismissalBehavior::timer(), "UUID-A", recorded.callbacks());
    window.suspendForSyntheticEventPosting();
    queue.advance(2);
    EXPECT_EQ(recorded.started + recorded.hidden, 0);
    EXPECT_TRUE(window.visibleGridDisplayIdentifiers().empty());
}

} // namespace
} // namespace tessarin::testing
