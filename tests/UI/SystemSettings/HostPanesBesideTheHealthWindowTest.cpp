// The host's panes opened from the setup wizard, while the health window floats.

#include "UI/Health/HealthWorld.h"
#include "UI/SystemSettings/DesktopAndDockPaneWindow.h"
#include "UI/SystemSettings/KeyboardShortcutsPaneWindow.h"
#include "UI/SystemSettings/SystemSettingsDeskOnScreen.h"
#include "UI/SystemSettings/SystemSettingsMirror.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <algorithm>

namespace tessarin {
namespace {

constexpr const char* keyboardShortcuts =
    "x-apple.systempreferences:com.apple.Keyboard-Settings.extension?KeyboardShortcuts";

// The wizard on a host whose displays share their Spaces and rearrange them by use, at the step
// "Displays have separate Spaces", with System Settings mirrored on the desktop.
class HostPanesBesideTheHealthWindowTest : public testing::HealthWorld {
protected:
    HostPanesBesideTheHealthWindowTest() : HealthWorld(fakes::switchingScenario(1, true)) {
        host().system().setProcessTrusted(true);
        grantCapture();
        controller().present(TessarinHealthCheckPresentationMode::setup);
        press("health.practice.skip");
    }
    static SystemSettingsPaneWindow* shownPane() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && SystemSettingsPaneWindow::isPaneWindow(*window)) {
                return dynamic_cast<SystemSettingsPaneWindow*>(window);
            }
        }
        return nullptr;
    }
    SystemSettingsPaneWindow* openFromTheStep() {
        press("health.action.2");
        world.queue.advance(0.1);
        QCoreApplication::processEvents();
        return shownPane();
    }
    static bool floats(const QWidget& window) {
        return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    }

    SystemSettingsMirror mirror{host().systemSettings()};
};

TEST_F(HostPanesBesideTheHealthWindowTest, EachPaneOpensBesideTheFloatingHealthWindow) {
    ASSERT_EQ(step(), "2");
    const struct {
        const char* name;
        std::function<void()> open;
    } cases[] = {
        {"Desktop & Dock from the step's Open", [this] { press("health.action.2"); }},
        {"Keyboard Shortcuts", [this] { host().system().openURL(keyboardShortcuts); }},
        // As from the keyboard step's clash alert: the wizard floats again at its next refresh.
        {"Keyboard Shortcuts while the wizard steps back",
         [this] {
             window().setFloatingLevel(false);
             host().system().openURL(keyboardShortcuts);
             world.queue.advance(0.1);
             window().setFloatingLevel(true);
         }},
    };
    for (const auto& c : cases) {
        host().systemSettings().closeWindow();
        world.queue.advance(0.1);
        c.open();
        world.queue.advance(0.1);
        SystemSettingsPaneWindow* pane = shownPane();
        ASSERT_NE(pane, nullptr) << c.name;
        EXPECT_TRUE(window().isFloatingPanel()) << c.name; // the wizard's level stays
        EXPECT_FALSE(pane->frameGeometry().intersects(window().frameGeometry()))
            << c.name << ": pane " << pane->frameGeometry().x() << "," << pane->frameGeometry().y()
            << ", health " << window().frameGeometry().x() << "," << window().frameGeometry().y();
        // Its labels show whole, beside the wizard.
        auto* title = pane->findChild<QLabel*>(pane->objectName() + ".title");
        ASSERT_NE(title, nullptr) << c.name;
        EXPECT_FALSE(window().frameGeometry().contains(title->mapToGlobal(QPoint(0, 0)))) << c.name;
    }
}

// Only a floating window a person can see keeps System Settings' window away.
TEST_F(HostPanesBesideTheHealthWindowTest, OnlyShownFloatingWindowsCountOnTheDesk) {
    const struct {
        const char* name;
        bool floats;
        bool minimised;
        bool counts;
    } cases[] = {
        {"a floating window", true, false, true},
        {"a miniaturised floating window", true, true, false},
        {"an ordinary window", false, false, false},
    };
    for (const auto& c : cases) {
        QWidget other;
        other.setWindowFlag(Qt::WindowStaysOnTopHint, c.floats);
        other.setGeometry(1300, 700, 200, 100);
        other.show();
        if (c.minimised) {
            other.setWindowState(Qt::WindowMinimized);
        }
        QCoreApplication::processEvents();
        const SystemSettingsDesk desk = readSystemSettingsDesk(host());
        const QRect shown = other.frameGeometry();
        const Rect frame{static_cast<double>(shown.x()), static_cast<double>(shown.y()),
                         static_cast<double>(shown.width()), static_cast<double>(shown.height())};
        EXPECT_EQ(std::ranges::count(desk.floatingWindows, frame), c.counts ? 1 : 0) << c.name;
    }
}

TEST_F(HostPanesBesideTheHealthWindowTest, WithTheKeysThePaneStandsAboveTheHealthWindow) {
    SystemSettingsPaneWindow* pane = openFromTheStep();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(QApplication::activeWindow(), pane);
    EXPECT_TRUE(floats(*pane));
    EXPECT_TRUE(window().isFloatingPanel());

    // The health window takes the keys back: the pane is an ordinary window under it again.
    window().activateWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &window());
    EXPECT_FALSE(floats(*pane));
    EXPECT_TRUE(window().isFloatingPanel());

    // A click on the pane's text brings it forward with the keys.
    auto* detail = pane->findChild<QLabel*>(pane->objectName() + ".detail");
    ASSERT_NE(detail, nullptr);
    QTest::mouseClick(detail, Qt::LeftButton, {}, detail->rect().center());
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), pane);
    EXPECT_TRUE(floats(*pane));
}

TEST_F(HostPanesBesideTheHealthWindowTest, AClosedPaneDoesNotStayAboveWhenItOpensAgain) {
    SystemSettingsPaneWindow* pane = openFromTheStep();
    ASSERT_NE(pane, nullptr);
    ASSERT_TRUE(floats(*pane));
    pane->close();
    world.queue.advance(0.1);
    EXPECT_FALSE(pane->isVisible());
    EXPECT_FALSE(floats(*pane));
}

} // namespace
} // namespace tessarin
