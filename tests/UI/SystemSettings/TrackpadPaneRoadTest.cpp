// The road from the Trackpad page to the host's Trackpad pane and back, taken by clicks as a
// person takes it: three-finger swipes want three-finger drag off.

#include "Model/Settings/TrackpadSwipeSettingsStore.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/SystemServices.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/Preferences/Trackpad/TrackpadSettingsViewController.h"
#include "UI/SystemSettings/SystemSettingsMirror.h"
#include "UI/SystemSettings/TrackpadPaneWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace tessarin {
namespace {

using Fingers = TrackpadGestureFingers;
using Gesture = TrackpadGesture;

TrackpadPaneWindow* shownPane() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* pane = dynamic_cast<TrackpadPaneWindow*>(window); pane && pane->isVisible()) {
            return pane;
        }
    }
    return nullptr;
}

class TrackpadPaneRoadTest : public testing::PreferencesHostTest {
protected:
    TrackpadPaneRoadTest() {
        // The person drags with three fingers and wants three-finger swipes for the program.
        host.preferences().setAppValue("TrackpadThreeFingerDrag", PropertyValue(true),
                                       TrackpadPane::kBuiltInDomain);
        store.setNavigationEnabled(true);
        store.setNavigationFingerCount(TrackpadNavigationFingerCount::three);
        page.view()->show();
        settle();
    }
    ~TrackpadPaneRoadTest() override {
        host.systemSettings().closeWindow();
        settle();
    }
    void settle() {
        queue.advance(0.1);
        testing::flushDeferredDeletes();
        queue.runUntilIdle();
    }
    std::string status() { return page.systemGestureStatusLabel().text().toStdString(); }
    void openTrackpadSettings() {
        auto* button = page.view()->findChild<QPushButton*>("trackpad.control.openSystemSettings");
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        settle();
    }
    // Opens a gesture's pop-up in the pane and clicks one of its items.
    void choose(TrackpadPaneWindow& pane, Gesture gesture, Fingers fingers) {
        auto* popUp = pane.findChild<SettingsPopUpButton*>(TrackpadPaneWindow::popUpName(gesture));
        ASSERT_NE(popUp, nullptr);
        ASSERT_TRUE(popUp->isVisible());
        QTest::mouseClick(popUp, Qt::LeftButton, {}, popUp->rect().center());
        QAbstractItemView* list = popUp->view();
        ASSERT_TRUE(list->isVisible());
        const int row = popUp->findText(TrackpadPaneWindow::choiceTitle(gesture, fingers));
        ASSERT_GE(row, 0);
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mouseMove(list->viewport(), at);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        settle();
    }
    // Back to the program's window: the program becomes active again.
    void comeBack() {
        host.programActivation().activate();
        settle();
    }

    TrackpadSwipeSettingsStore store{host.defaults()};
    Published<TrackpadRawInputState> rawInput{TrackpadRawInputState::available};
    TrackpadSettingsViewController page{store, {}, {}, &rawInput};
    SystemSettingsMirror mirror{host.systemSettings()};
};

TEST_F(TrackpadPaneRoadTest, TheOpenButtonShowsThePaneWithTheGesturesAsTheyAre) {
    ASSERT_EQ(status(), "Status: Setup Needed");
    openTrackpadSettings();
    EXPECT_EQ(host.system().openedURLs().back(),
              TrackpadSettingsViewController::trackpadSettingsURL);
    TrackpadPaneWindow* pane = shownPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_FALSE(host.programActivation().isActive());
    auto* title = pane->findChild<QLabel*>("systemSettings.trackpad.title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Trackpad");
    // The default host: four-finger swipes given to the system with App Exposé's off, no tap,
    // and the drag turned on.
    const struct {
        Gesture gesture;
        Fingers fingers;
    } rows[] = {{Gesture::fullScreenSwipe, Fingers::four},
                {Gesture::missionControlSwipe, Fingers::four},
                {Gesture::appExposeSwipe, Fingers::off},
                {Gesture::lookUpTap, Fingers::off},
                {Gesture::threeFingerDrag, Fingers::three}};
    for (const auto& row : rows) {
        auto* popUp =
            pane->findChild<SettingsPopUpButton*>(TrackpadPaneWindow::popUpName(row.gesture));
        ASSERT_NE(popUp, nullptr);
        EXPECT_TRUE(popUp->isVisible());
        EXPECT_EQ(popUp->currentText().toStdString(),
                  TrackpadPaneWindow::choiceTitle(row.gesture, row.fingers).toStdString());
    }
}

TEST_F(TrackpadPaneRoadTest, EachPopUpOffersItsChoicesInWords) {
    openTrackpadSettings();
    TrackpadPaneWindow* pane = shownPane();
    ASSERT_NE(pane, nullptr);
    const struct {
        Gesture gesture;
        QStringList items;
    } rows[] = {
        {Gesture::fullScreenSwipe, {"Off", "Swipe with three fingers", "Swipe with four fingers"}},
        {Gesture::appExposeSwipe, {"Off", "Swipe with three fingers", "Swipe with four fingers"}},
        {Gesture::lookUpTap, {"Off", "Tap with three fingers"}},
        {Gesture::threeFingerDrag, {"Off", "Drag with three fingers"}},
    };
    for (const auto& row : rows) {
        auto* popUp =
            pane->findChild<SettingsPopUpButton*>(TrackpadPaneWindow::popUpName(row.gesture));
        ASSERT_NE(popUp, nullptr);
        QStringList items;
        for (int index = 0; index < popUp->count(); ++index) {
            items << popUp->itemText(index);
        }
        EXPECT_EQ(items, row.items) << popUp->objectName().toStdString();
    }
}

TEST_F(TrackpadPaneRoadTest, TurningADragOffThereSetsThePagesStatusWhenTheProgramComesBack) {
    openTrackpadSettings();
    TrackpadPaneWindow* pane = shownPane();
    ASSERT_NE(pane, nullptr);
    choose(*pane, Gesture::threeFingerDrag, Fingers::off);
    EXPECT_EQ(host.systemSettings().trackpadPane().fingers(Gesture::threeFingerDrag), Fingers::off);
    comeBack();
    EXPECT_EQ(status(), "Status: OK");

    // The look-up tap given back to the system matters once the page switches after a tap.
    store.setSpaceSwitchMode(TrackpadSpaceSwitchMode::afterTap);
    settle();
    EXPECT_EQ(status(), "Status: OK");
    host.programActivation().resignActive();
    openTrackpadSettings();
    choose(*pane, Gesture::lookUpTap, Fingers::three);
    comeBack();
    EXPECT_EQ(status(), "Status: Setup Needed");
}

} // namespace
} // namespace tessarin
