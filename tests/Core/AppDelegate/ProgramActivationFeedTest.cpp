#include "Core/AppDelegate/ProgramActivationFeed.h"

#include "Platform/Program/ProgramActivation.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QGuiApplication>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace tessarin {
namespace {

class ProgramActivationFeedTest : public ::testing::Test {
protected:
    ProgramActivationFeedTest() {
        testing::ensureApplication();
        QCoreApplication::processEvents();
    }
    // Gives a window of the program the focus, as a click on it does.
    void focus(QWidget& window) {
        window.show();
        window.activateWindow();
        QCoreApplication::processEvents();
        ASSERT_EQ(QGuiApplication::focusWindow(), window.windowHandle());
    }

    ProgramActivation activation;
};

// The windowing system may call the program active while none of its windows has the focus (its
// menu-bar item was clicked); it is not, and it is not while another program is in front.
TEST_F(ProgramActivationFeedTest, TheProgramIsActiveOnlyWhileOneOfItsWindowsHasTheFocus) {
    ASSERT_EQ(QGuiApplication::focusWindow(), nullptr);
    ProgramActivationFeed feed(activation);
    EXPECT_FALSE(activation.isActive());
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_FALSE(activation.isActive()) << "active with no window focused";

    QWidget window;
    focus(window);
    EXPECT_TRUE(activation.isActive());
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(activation.isActive()) << "another program came to the front";
    window.hide();
    QCoreApplication::processEvents();
    EXPECT_FALSE(activation.isActive());
}

// A window that takes no focus (the permission guide) given it anyway, as the offscreen platform
// gives it to every window shown, neither activates the program nor makes it resign.
TEST_F(ProgramActivationFeedTest, AWindowThatTakesNoFocusLeavesTheActivationAsItWas) {
    ProgramActivationFeed feed(activation);
    QWidget guide(nullptr, Qt::Tool | Qt::WindowDoesNotAcceptFocus);
    for (const bool active : {false, true}) {
        if (active) {
            activation.activate();
        } else {
            activation.resignActive();
        }
        guide.show();
        guide.activateWindow();
        QCoreApplication::processEvents();
        EXPECT_EQ(activation.isActive(), active);
        guide.hide();
        QCoreApplication::processEvents();
    }
}

// The feed goes before the application object at quit: neither a focus change nor a state
// change reaches it afterwards (the sanitizer watches), and the activation stays as it was left.
TEST_F(ProgramActivationFeedTest, NothingReachesTheFeedOnceItIsGone) {
    auto feed = std::make_unique<ProgramActivationFeed>(activation);
    feed.reset();
    activation.resignActive();
    QWidget window;
    focus(window);
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_FALSE(activation.isActive());
    window.hide();
    QCoreApplication::processEvents();
}

} // namespace
} // namespace tessarin
