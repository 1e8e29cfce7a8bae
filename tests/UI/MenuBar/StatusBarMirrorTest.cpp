#include "UI/MenuBar/StatusBarMirror.h"

#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Platform/StatusBar/Menu.h"
#include "Platform/StatusBar/MenuItem.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/StatusBar/StatusItem.h"
#include "Support/VirtualMainQueue.h"
#include "UI/MenuBar/MenuBarController.h"
#include "UI/MenuBar/MenuBarIconRenderer.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QMenu>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(StatusBarMirrorTest, TemplateImagesTakeTheTintAndTitlesAreDrawnIntoThePicture) {
    testing::ensureApplication();
    StatusBarButton button;
    button.setImage(MenuBarIconRenderer::renderGridIcon(MenuBarGridIconModel{4, 0, 2, {}}));
    const QImage tinted = StatusBarMirror::picture(button, QColor(200, 10, 10));
    EXPECT_EQ(tinted.deviceIndependentSize(), QSizeF(22, 22));
    // The bottom-right cell, filled in the picture, shows in the tint.
    EXPECT_EQ(tinted.pixelColor(30, 30), QColor(200, 10, 10));

    StatusBarButton number;
    const QImage empty = StatusBarMirror::picture(number, Qt::black);
    number.setTitle("5");
    EXPECT_NE(StatusBarMirror::picture(number, Qt::black), empty);
}

TEST(StatusBarMirrorTest, QtMenuShowsTheHostEntriesAndPerformsThem) {
    testing::ensureApplication();
    int performed = 0;
    auto menu = std::make_shared<Menu>();
    auto settings = std::make_shared<MenuItem>(
        "Settings\u2026", [&] { ++performed; }, ",");
    auto grid = std::make_shared<MenuItem>("Show Grid", nullptr, "g");
    grid->setKeyEquivalentModifierMask(EventFlags::maskControl | EventFlags::maskAlternate);
    grid->setEnabled(false);
    menu->addItem(grid);
    menu->addItem(MenuItem::separator());
    menu->addItem(settings);

    const auto shown = StatusBarMirror::makeMenu(menu);
    ASSERT_TRUE(shown);
    const QList<QAction*> actions = shown->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_FALSE(actions[0]->isEnabled());
    EXPECT_EQ(actions[0]->text(), "Show Grid\t\u2325\u2303G");
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text(), "Settings\u2026\t\u2318,");
    actions[2]->trigger();
    EXPECT_EQ(performed, 1);
}

TEST(StatusBarMirrorTest, FollowsTheStatusItemOnceABurstOfChangesIsOver) {
    testing::ensureApplication();
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost currentHost{host};
    StatusBarMirror mirror(host.statusBar());
    EXPECT_FALSE(mirror.isShowing());
    {
        MenuBarController controller;
        controller.setup();
        EXPECT_FALSE(mirror.isShowing());
        queue.runUntilIdle();
        EXPECT_TRUE(mirror.isShowing());
    }
    queue.runUntilIdle();
    EXPECT_FALSE(mirror.isShowing());
}

// At quit the mirror may go first, with a redraw still waiting and the status item still to be
// taken down: neither reaches it (the sanitizer watches).
TEST(StatusBarMirrorTest, NothingReachesAMirrorThatIsGone) {
    testing::ensureApplication();
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost currentHost{host};
    auto mirror = std::make_unique<StatusBarMirror>(host.statusBar());
    {
        MenuBarController controller;
        controller.setup(); // a redraw waits for the next turn
        mirror.reset();
        queue.runUntilIdle();
    } // the status item goes
    queue.runUntilIdle();
    EXPECT_TRUE(host.statusBar().items().empty());
}

// The status menu may outlive its controller (a menu being shown holds it): opening it then asks
// no controller to update it.
TEST(StatusBarMirrorTest, AMenuThatOutlivesItsControllerOpensWithoutIt) {
    testing::ensureApplication();
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost currentHost{host};
    std::shared_ptr<Menu> shown;
    {
        MenuBarController controller;
        controller.setup();
        shown = host.statusBar().items().at(0)->menu();
        ASSERT_TRUE(shown);
    }
    EXPECT_EQ(shown->delegate(), nullptr);
    shown->open();
    queue.runUntilIdle();
}

} // namespace
} // namespace tessarin
