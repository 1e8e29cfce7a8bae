#include "UI/SystemSettings/SystemSettingsMirror.h"

#include "Core/AppDelegate/ProgramActivationFeed.h"
#include "Model/Health/TessarinPrivacyPermissionResetter.h"
#include "Platform/Preferences/UserDefaults.h"
#include "UI/Health/HealthWorld.h"
#include "UI/Health/TessarinAppBundleDragView.h"
#include "UI/MenuBar/ProgramHiding.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "UI/SystemSettings/PrivacyPaneWindow.h"
#include "UI/SystemSettings/RaiseRecorder.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <vector>

namespace tessarin {
namespace {

// The program after "Reset Permissions", with System Settings mirrored on the desktop as the
// program mirrors it when it has a display.
class SystemSettingsMirrorTest : public testing::HealthWorld {
protected:
    SystemSettingsMirrorTest() {
        EXPECT_FALSE(TessarinPrivacyPermissionResetter::resetAll(host().defaults()));
    }
    ~SystemSettingsMirrorTest() override { guide().dismissGuide(); }

    // Opens the Accessibility step's pane as a person does: "Open" on the health window.
    PrivacyPaneWindow* openPane() {
        world.d().presentHealthCheckAtLaunch();
        EXPECT_EQ(step(), "0");
        press("health.action.0");
        world.queue.advance(0.5);
        return shownPane();
    }
    // The pane's window among the desktop's windows.
    static PrivacyPaneWindow* shownPane() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && PrivacyPaneWindow::isPaneWindow(*window)) {
                return dynamic_cast<PrivacyPaneWindow*>(window);
            }
        }
        return nullptr;
    }
    static QRect frameOf(const Rect& bounds) {
        return QRect(static_cast<int>(bounds.minX()), static_cast<int>(bounds.minY()),
                     static_cast<int>(bounds.width()), static_cast<int>(bounds.height()));
    }
    // Drops `files` on the pane's list as Qt delivers a drop: enter, then drop.
    static bool drop(QWidget& list, const QStringList& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files) {
            urls << QUrl::fromLocalFile(file);
        }
        data.setUrls(urls);
        const QPoint at = list.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&list, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&list, &dropped);
        return dropped.isAccepted();
    }
    QString tilePath() {
        auto* tile = guide().panel()->findChild<TessarinAppBundleDragView*>("health.guide.tile");
        EXPECT_NE(tile, nullptr);
        return tile ? tile->appBundlePath() : QString();
    }

    SystemSettingsMirror mirror{host().systemSettings()};
};

TEST_F(SystemSettingsMirrorTest, DroppingTheGuidesTileOnThePaneAllowsTheProgramAndTheWizardGoesOn) {
    PrivacyPaneWindow* pane = openPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->findChild<QLabel*>("systemSettings.pane.title")->text(), "Accessibility");
    EXPECT_TRUE(pane->findChild<QLabel*>("systemSettings.pane.empty")->isVisible());
    // The real window stands where the host's is, so the guide lies over its lower part.
    ASSERT_TRUE(host().systemSettings().windowBounds());
    EXPECT_EQ(pane->geometry(), frameOf(*host().systemSettings().windowBounds()));
    EXPECT_NEAR(QRectF(guide().panel()->geometry()).center().x(),
                QRectF(pane->geometry()).center().x(), 1.0);
    EXPECT_EQ(guide().panel()->geometry().bottom() + 24, pane->geometry().bottom());

    QWidget* list = pane->findChild<QWidget*>("systemSettings.pane.list");
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(drop(*list, {"/Applications/Other.app"}));
    EXPECT_FALSE(host().system().isProcessTrusted());
    EXPECT_TRUE(drop(*list, {tilePath()}));
    EXPECT_TRUE(host().system().isProcessTrusted());
    EXPECT_EQ(step(), "0"); // until the next tick
    world.queue.advance(1.0);
    EXPECT_EQ(step(), "1");
    EXPECT_FALSE(page().isYieldingToSystemPrompt());
    // The pane now lists the program, switched on.
    auto* toggle = pane->findChild<SettingsSwitch*>(
        PrivacyPaneWindow::switchName(host().programBundle().resolvedIdentifier()));
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isOn());
    EXPECT_FALSE(pane->findChild<QLabel*>("systemSettings.pane.empty")->isVisible());
}

TEST_F(SystemSettingsMirrorTest, TheSwitchOfAListedProgramAllowsItAndTurnsItOffAgain) {
    const std::string program = host().programBundle().resolvedIdentifier();
    host().privacy().setDecision(PrivacyService::accessibility, program, false);
    PrivacyPaneWindow* pane = openPane();
    ASSERT_NE(pane, nullptr);
    auto* toggle = pane->findChild<SettingsSwitch*>(PrivacyPaneWindow::switchName(program));
    ASSERT_NE(toggle, nullptr);
    EXPECT_FALSE(toggle->isOn());
    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_TRUE(host().system().isProcessTrusted());
    world.queue.advance(1.0);
    EXPECT_EQ(step(), "1");

    testing::flushDeferredDeletes();
    toggle = pane->findChild<SettingsSwitch*>(PrivacyPaneWindow::switchName(program));
    ASSERT_NE(toggle, nullptr);
    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_FALSE(host().system().isProcessTrusted());
    world.queue.advance(1.0);
    EXPECT_EQ(step(), "0");
}

TEST_F(SystemSettingsMirrorTest, TheWindowAndTheHostsFrameFollowEachOtherAndTheGuideFollowsBoth) {
    PrivacyPaneWindow* pane = openPane();
    ASSERT_NE(pane, nullptr);
    // Moved on the host: the real window follows on the next turn.
    host().systemSettings().moveWindow(Rect{40, 60, 715, 620});
    world.queue.advance(0.05);
    EXPECT_EQ(pane->geometry(), QRect(40, 60, 715, 620));
    EXPECT_EQ(guide().panel()->geometry().bottom() + 24, pane->geometry().bottom());

    // Moved by a person: the host's window follows, and the guide with it.
    pane->setGeometry(QRect(120, 90, 715, 620));
    EXPECT_EQ(host().systemSettings().windowBounds(), (Rect{120, 90, 715, 620}));
    world.queue.advance(0.05);
    EXPECT_EQ(pane->geometry(), QRect(120, 90, 715, 620));
    EXPECT_NEAR(QRectF(guide().panel()->geometry()).center().x(),
                QRectF(pane->geometry()).center().x(), 1.0);
    EXPECT_EQ(guide().panel()->geometry().bottom() + 24, pane->geometry().bottom());
}

using testing::RaiseRecorder;

// System Settings brought to the front again covers the windows at its level, not the floating
// guide beside it, which is raised above it once more.
TEST_F(SystemSettingsMirrorTest, ThePaneBroughtFrontStaysUnderTheFloatingGuide) {
    PrivacyPaneWindow* pane = openPane();
    ASSERT_NE(pane, nullptr);
    QWidget* panel = guide().panel();
    ASSERT_TRUE(panel != nullptr && panel->isVisible());
    RaiseRecorder recorder;
    press("health.action.0"); // "Open" again
    world.queue.advance(0.5);
    const auto& raised = recorder.raised;
    const auto paneRaised = std::find(raised.rbegin(), raised.rend(), pane);
    const auto panelRaised = std::find(raised.rbegin(), raised.rend(), panel);
    ASSERT_NE(paneRaised, raised.rend()) << "the pane came to the front";
    ASSERT_NE(panelRaised, raised.rend()) << "the guide was raised";
    EXPECT_LT(panelRaised, paneRaised) << "the guide was raised after the pane";
}

// Taking the keys lifts the pane above the health window, yet not above the floating guide.
TEST_F(SystemSettingsMirrorTest, ThePaneTakingTheKeysStaysUnderTheFloatingGuide) {
    PrivacyPaneWindow* pane = openPane();
    ASSERT_NE(pane, nullptr);
    QWidget* panel = guide().panel();
    ASSERT_TRUE(panel != nullptr && panel->isVisible());
    window().activateWindow();
    QCoreApplication::processEvents();
    ASSERT_NE(QApplication::activeWindow(), pane);
    RaiseRecorder recorder;
    pane->activateWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), pane);
    const auto& raised = recorder.raised;
    const auto paneRaised = std::find(raised.rbegin(), raised.rend(), pane);
    const auto panelRaised = std::find(raised.rbegin(), raised.rend(), panel);
    ASSERT_NE(paneRaised, raised.rend()) << "the pane came to the front";
    ASSERT_NE(panelRaised, raised.rend()) << "the guide was raised";
    EXPECT_LT(panelRaised, paneRaised) << "the guide was raised after the pane";
}

// The pane is the host's System Settings: with the focus there, the program is not the active
// application; back on one of its own windows, it is.
TEST_F(SystemSettingsMirrorTest, WhileThePaneHasTheFocusTheProgramIsNotActive) {
    ProgramActivationFeed feed(host().programActivation());
    PrivacyPaneWindow* pane = openPane();
    ASSERT_NE(pane, nullptr);
    const auto focus = [](QWidget& window) {
        window.activateWindow();
        QCoreApplication::processEvents();
        Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        return QGuiApplication::focusWindow() == window.windowHandle();
    };
    ASSERT_TRUE(focus(window()));
    EXPECT_TRUE(host().programActivation().isActive());
    ASSERT_TRUE(focus(*pane));
    EXPECT_FALSE(host().programActivation().isActive());
    ASSERT_TRUE(focus(window()));
    EXPECT_TRUE(host().programActivation().isActive());
}

TEST_F(SystemSettingsMirrorTest, ClosingThePaneClosesSystemSettingsAndAnotherPaneHidesIt) {
    PrivacyPaneWindow* pane = openPane();
    ASSERT_NE(pane, nullptr);
    ProgramHiding hiding;
    hiding.hide(); // the program's windows go; System Settings' stays
    EXPECT_TRUE(pane->isVisible());
    hiding.unhide();

    EXPECT_TRUE(pane->close());
    EXPECT_FALSE(host().systemSettings().pane());
    host().system().openURL(
        "x-apple.systempreferences:com.apple.preference.security?Privacy_ScreenCapture");
    world.queue.advance(0.05);
    ASSERT_EQ(shownPane(), pane);
    EXPECT_EQ(pane->findChild<QLabel*>("systemSettings.pane.title")->text(), "Screen Recording");
    host().system().openURL("x-apple.systempreferences:com.apple.Trackpad-Settings.extension");
    world.queue.advance(0.05);
    EXPECT_FALSE(pane->isVisible()); // a pane the host has nothing of shows no window
}

TEST_F(SystemSettingsMirrorTest, ThePaneFollowsTheAppearance) {
    PrivacyPaneWindow* pane = openPane();
    ASSERT_NE(pane, nullptr);
    auto* title = pane->findChild<QLabel*>("systemSettings.pane.title");
    for (const Appearance appearance : {Appearance::dark, Appearance::light}) {
        host().system().setAppearance(appearance);
        world.queue.runUntilIdle();
        EXPECT_EQ(SettingsPageLayout::textColor(*title),
                  SettingsPageLayout::resolvedColor(SettingsSystemColor::label, appearance));
        const QImage picture = pane->grab().toImage();
        EXPECT_EQ(picture.pixelColor(4, 4), SettingsPageLayout::resolvedColor(
                                                SettingsSystemColor::windowBackground, appearance));
    }
}

} // namespace
} // namespace tessarin
