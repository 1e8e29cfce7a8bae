#include "UI/WindowShape/RoundedWindowMask.h"

#include "UI/Preferences/PreferencesTestSupport.h"

#include <QWidget>

namespace tessarin {
namespace {

class RoundedWindowMaskTest : public ::testing::Test {
protected:
    RoundedWindowMaskTest() { testing::ensureWidgetApplication(); }
};

// Without a compositing manager the corners are cut away and the rest of the window kept; with
// one the window is whole, its antialiased edge drawn over the desktop.
TEST_F(RoundedWindowMaskTest, CutsTheCornersOnlyWhereTheDesktopDoesNotCompose) {
    struct Case {
        const char* name;
        bool composes;
        QPoint point;
        bool shown;
    };
    const Case cases[] = {
        {"corner, no compositor", false, {0, 0}, false},
        {"inside the corner's curve, no compositor", false, {4, 4}, false},
        {"far corner, no compositor", false, {299, 199}, false},
        {"middle of an edge, no compositor", false, {150, 0}, true},
        {"centre, no compositor", false, {150, 100}, true},
        {"corner, compositor", true, {0, 0}, true},
    };
    for (const Case& c : cases) {
        QWidget window;
        window.resize(300, 200);
        RoundedWindowMask::apply(window, 24, c.composes);
        const QRegion shown = window.mask().isEmpty() ? QRegion(window.rect()) : window.mask();
        EXPECT_EQ(shown.contains(c.point), c.shown) << c.name;
    }
}

// A window masked once and resized is masked to its new size when applied again.
TEST_F(RoundedWindowMaskTest, FollowsTheWindowsSize) {
    QWidget window;
    window.resize(100, 100);
    RoundedWindowMask::apply(window, 18, false);
    window.resize(400, 120);
    RoundedWindowMask::apply(window, 18, false);
    EXPECT_TRUE(window.mask().contains(QPoint(390, 60)));
    EXPECT_FALSE(window.mask().contains(QPoint(399, 119)));
    RoundedWindowMask::apply(window, 18, true);
    EXPECT_TRUE(window.mask().isEmpty());
}

} // namespace
} // namespace tessarin
