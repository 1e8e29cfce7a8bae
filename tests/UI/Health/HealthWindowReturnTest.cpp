#include "Core/AppDelegate/ProgramActivationFeed.h"
#include "UI/Health/HealthWorld.h"
#include "UI/SystemSettings/PrivacyPaneWindow.h"
#include "UI/SystemSettings/RaiseRecorder.h"
#include "UI/SystemSettings/SystemSettingsMirror.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <functional>

namespace tessarin {
namespace {

// The health window stepping back for System Settings after "Open", on a desktop that activates
// windows as they are mapped and follows the focus into the program's activation, as the program
// runs with a display.
class HealthWindowReturnTest : public testing::HealthWorld {
protected:
    HealthWindowReturnTest() {
        world.d().presentHealthCheckAtLaunch();
        settle();
    }
    ~HealthWindowReturnTest() override { guide().dismissGuide(); }

    // Window-system events first, then the main queue's turns and a few rechecks.
    void settle(double seconds = 0.5) {
        for (int turn = 0; turn < 3; ++turn) {
            QCoreApplication::processEvents();
            world.queue.advance(seconds / 3);
        }
        QCoreApplication::processEvents();
    }
    void clickOpen() {
        auto* open = find<QPushButton>("health.action.0");
        ASSERT_NE(open, nullptr);
        QTest::mouseClick(open, Qt::LeftButton);
    }
    // The pane in front of the health window, which stays shown where it was.
    void expectYielding(const char* when) {
        EXPECT_TRUE(page().isYieldingToSystemPrompt()) << when;
        EXPECT_EQ(window().level(), 0) << when;
        EXPECT_FALSE(window().windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint)) << when;
        EXPECT_TRUE(window().isVisible()) << when;
        ASSERT_NE(mirror.window(), nullptr) << when;
        EXPECT_EQ(QGuiApplication::focusWindow(), mirror.window()->windowHandle()) << when;
        EXPECT_FALSE(host().programActivation().isActive()) << when;
    }
    void expectFloatingAgain(const char* when) {
        EXPECT_FALSE(page().isYieldingToSystemPrompt()) << when;
        EXPECT_EQ(window().level(), 3) << when;
        EXPECT_TRUE(window().windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint)) << when;
    }

    SystemSettingsMirror mirror{host().systemSettings()};
    ProgramActivationFeed activationFeed{host().programActivation()};
};

TEST_F(HealthWindowReturnTest, TheWindowStepsBackInPlaceAndItsOwnLevelChangeIsNoReturn) {
    ASSERT_EQ(QGuiApplication::focusWindow(), window().windowHandle());
    // A window hidden and shown again is a new window to a window manager, which activates it.
    const QPointer<QWindow> mapped = window().windowHandle();
    int visibilityChanges = 0;
    QObject::connect(mapped, &QWindow::visibleChanged, [&] { ++visibilityChanges; });
    clickOpen();
    settle(3.0);
    expectYielding("after Open");
    EXPECT_EQ(window().windowHandle(), mapped) << "the window was made anew";
    EXPECT_EQ(visibilityChanges, 0);
    EXPECT_FALSE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

// What a person does to come back to the health window.
struct UserReturn {
    const char* name;
    std::function<void(TessarinHealthCheckPanel&)> act;
};

// Without a window manager to raise it, a click in the window brings it in front of a window
// that stood over it; a key typed there does not move it.
TEST_F(HealthWindowReturnTest, AClickInTheWindowRaisesIt) {
    const struct {
        const char* name;
        std::function<void(TessarinHealthCheckPanel&)> act;
        bool raised;
    } cases[] = {
        {"a click on the step's title",
         [](TessarinHealthCheckPanel& window) {
             QTest::mouseClick(window.findChild<QLabel*>("health.step.title"), Qt::LeftButton);
         },
         true},
        {"a key typed in the window",
         [](TessarinHealthCheckPanel& window) { QTest::keyClick(&window, Qt::Key_Tab); }, false},
    };
    for (const auto& c : cases) {
        testing::RaiseRecorder recorder;
        c.act(window());
        QCoreApplication::processEvents();
        EXPECT_EQ(std::ranges::count(recorder.raised, &window()) > 0, c.raised) << c.name;
    }
}

TEST_F(HealthWindowReturnTest, WhatThePersonDoesInTheWindowBringsItBackOnTop) {
    const UserReturn returns[] = {
        {"a click on the step's title",
         [](TessarinHealthCheckPanel& window) {
             QTest::mouseClick(window.findChild<QLabel*>("health.step.title"), Qt::LeftButton);
         }},
        {"a key typed in the window",
         [](TessarinHealthCheckPanel& window) { QTest::keyClick(&window, Qt::Key_Tab); }},
        {"switching to the window (its frame clicked)",
         [](TessarinHealthCheckPanel& window) { window.activateWindow(); }},
    };
    for (const UserReturn& userReturn : returns) {
        clickOpen();
        settle(3.0);
        expectYielding(userReturn.name);
        userReturn.act(window());
        settle();
        expectFloatingAgain(userReturn.name);
        EXPECT_EQ(QGuiApplication::focusWindow(), window().windowHandle()) << userReturn.name;
    }
}

TEST_F(HealthWindowReturnTest, OpenPressedAgainWhileSteppedBackKeepsThePaneInFront) {
    clickOpen();
    settle(3.0);
    expectYielding("after the first Open");
    // The click that gives the window the keys back is the one on "Open": the window system's
    // activation comes first, the press in the same turn of the main queue, and it yields again.
    window().activateWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(QGuiApplication::focusWindow(), window().windowHandle());
    clickOpen();
    settle(3.0);
    expectYielding("after Open again");
}

} // namespace
} // namespace tessarin
