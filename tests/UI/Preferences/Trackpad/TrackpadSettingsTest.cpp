#include "Model/Settings/TrackpadSwipeSettingsStore.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/Program/ProgramActivation.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSliderControl.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/Preferences/Trackpad/TrackpadSettingsViewController.h"
#include "UI/Preferences/Trackpad/TrackpadSetupStatus.h"
#include "UI/Preferences/Trackpad/TrackpadSystemGestureRequirementRow.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace tessarin {
namespace {

using Mode = TrackpadSpaceSwitchMode;
using Fingers = TrackpadNavigationFingerCount;
using Raw = TrackpadRawInputState;

class TrackpadSettingsTest : public testing::PreferencesHostTest {
protected:
    // Renderings replaced last go before the page whose controls they showed.
    ~TrackpadSettingsTest() override { testing::flushDeferredDeletes(); }

    TrackpadSettingsViewController& page() {
        if (!page_) {
            page_ = std::make_unique<TrackpadSettingsViewController>(
                store, [this](const std::string& url) { opened.push_back(url); },
                [this] { return system; }, &rawInput);
            page_->view();
        }
        return *page_;
    }
    // Row titles top to bottom, "-" marking a dimmed row.
    std::vector<std::string> rows() {
        std::vector<std::string> titles;
        for (QWidget* row : page().view()->findChildren<QWidget*>()) {
            if (auto* kit = qobject_cast<SettingsRowView*>(row);
                kit && kit->isVisibleTo(page().view())) {
                titles.push_back((kit->isEnabledState() ? "" : "-") +
                                 kit->titleLabel()->text().toStdString());
            } else if (qobject_cast<TrackpadSystemGestureRequirementRow*>(row) &&
                       row->isVisibleTo(page().view())) {
                titles.push_back("setup");
            }
        }
        return titles;
    }
    std::string status() { return page().systemGestureStatusLabel().text().toStdString(); }
    std::string requirement() {
        auto* detail =
            page().view()->findChild<QLabel*>("trackpad.detail.systemGestureRequirement");
        return detail != nullptr && detail->isVisibleTo(page().view())
                   ? detail->text().toStdString()
                   : "";
    }

    TrackpadSwipeSettingsStore store{host.defaults()};
    TrackpadSystemGestureStatus system;
    Published<Raw> rawInput{Raw::available};
    std::vector<std::string> opened;
    std::unique_ptr<TrackpadSettingsViewController> page_;
};

TEST_F(TrackpadSettingsTest, RowsFollowTheFlagAndTheMode) {
    struct Case {
        const char* name;
        bool enabled;
        Mode mode;
        std::vector<std::string> rows;
    } const cases[] = {
        {"off, after delay",
         false,
         Mode::afterDelay,
         {"Enable trackpad swipes", "-Swipe with", "-Switch spaces", "-Delay",
          "-Reverse trackpad direction"}},
        {"on, after delay",
         true,
         Mode::afterDelay,
         {"Enable trackpad swipes", "setup", "Swipe with", "Switch spaces", "Delay",
          "Reverse trackpad direction"}},
        {"on, after tap",
         true,
         Mode::afterTap,
         {"Enable trackpad swipes", "setup", "Swipe with", "Switch spaces",
          "Reverse trackpad direction"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store.setNavigationEnabled(c.enabled);
        store.setSpaceSwitchMode(c.mode);
        page().renderPage();
        testing::flushDeferredDeletes();
        EXPECT_EQ(rows(), c.rows);
    }
}

TEST_F(TrackpadSettingsTest, StatusAndSentencesFollowRawInputAndSystemGestures) {
    struct Case {
        const char* name;
        Raw raw;
        Fingers fingers;
        Mode mode;
        bool dragAvailable;
        bool tapAvailable;
        bool ready;
        const char* text;
    } const cases[] = {
        {"ready", Raw::available, Fingers::three, Mode::afterDelay, true, true, true,
         "Raw trackpad input is ready for Tessarin navigation."},
        {"starting", Raw::starting, Fingers::four, Mode::afterDelay, true, true, false,
         "Raw trackpad input is unavailable."},
        {"drag on with three", Raw::available, Fingers::three, Mode::whileSwiping, false, true,
         false,
         "Three-finger drag is enabled in Accessibility. Turn off three-finger drag in "
         "Accessibility > Pointer Control > Trackpad Options."},
        {"tap taken", Raw::available, Fingers::four, Mode::afterTap, true, false, false,
         "Three-finger tap is assigned to Look Up. Set Look up & data detectors to Force Click "
         "with One Finger so macOS does not also handle the tap."},
        {"tap free", Raw::available, Fingers::four, Mode::afterTap, true, true, true,
         "Raw trackpad input is ready for Tessarin navigation. Set Look up & data detectors to "
         "Force Click with One Finger so macOS does not also handle the tap."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TrackpadSystemGestureStatus status;
        status.threeFingerDragAvailable = c.dragAvailable;
        status.threeFingerTapAvailable = c.tapAvailable;
        const TrackpadSetupInputs inputs{c.raw, c.fingers, c.mode, status};
        EXPECT_EQ(isTrackpadReady(inputs), c.ready);
        EXPECT_EQ(systemGestureRequirementHelpText(inputs).toStdString(), c.text);
    }
}

TEST_F(TrackpadSettingsTest, ThePageReadsTheHostsTrackpadDomains) {
    host.preferences().setAppValue("TrackpadThreeFingerDrag", PropertyValue(true),
                                   "com.apple.AppleMultitouchTrackpad");
    store.setNavigationEnabled(true);
    TrackpadSettingsViewController live(store, {}, {}, &rawInput);
    live.view();
    EXPECT_EQ(live.systemGestureStatusLabel().text(), "Status: Setup Needed");
    // Four fingers leave three-finger drag alone.
    live.navigationFingerCountPopup().setCurrentIndex(1);
    live.navigationFingerCountChanged();
    EXPECT_EQ(store.navigationFingerCount(), Fingers::four);
    EXPECT_EQ(live.systemGestureStatusLabel().text(), "Status: OK");
    testing::flushDeferredDeletes();
}

TEST_F(TrackpadSettingsTest, RawInputChangesAndBecomingActiveRenderByThemselves) {
    store.setNavigationEnabled(true);
    rawInput.set(Raw::starting);
    queue.runUntilIdle();
    EXPECT_EQ(status(), "Status: Setup Needed");
    rawInput.set(Raw::available);
    queue.runUntilIdle();
    EXPECT_EQ(status(), "Status: OK");

    // Back from System Settings with three-finger drag switched on.
    system.threeFingerDragAvailable = false;
    host.programActivation().resignActive();
    host.programActivation().activate();
    EXPECT_EQ(status(), "Status: OK");
    queue.runUntilIdle();
    EXPECT_EQ(status(), "Status: Setup Needed");
    EXPECT_NE(requirement().find("Three-finger drag is enabled"), std::string::npos);
}

TEST_F(TrackpadSettingsTest, HandlersWriteThroughTheStore) {
    page();
    page().swipeNavigationSwitch().click();
    EXPECT_TRUE(store.navigationEnabled());
    EXPECT_EQ(host.defaults().boolValue(TrackpadSwipeSettingsStore::navigationEnabledKey), true);
    testing::flushDeferredDeletes();
    EXPECT_EQ(rows().at(1), "setup"); // at once, without waiting for the revision

    page().spaceSwitchModePopup().setCurrentIndex(1);
    page().spaceSwitchModeChanged();
    EXPECT_EQ(store.switchMode(), Mode::whileSwiping);
    testing::flushDeferredDeletes();
    EXPECT_EQ(std::ranges::count(rows(), std::string("Delay")), 0);

    page().view()->findChild<QPushButton*>("trackpad.control.openSystemSettings")->click();
    EXPECT_EQ(opened,
              std::vector<std::string>{TrackpadSettingsViewController::trackpadSettingsURL});
}

TEST_F(TrackpadSettingsTest, TheDelaySnapsToFiftyAndReadsInSeconds) {
    EXPECT_EQ(switchDelayText(1250), "1.25 s");
    EXPECT_EQ(switchDelayText(300), "0.3 s");
    SettingsSliderControl& delay = page().switchDelaySlider();
    EXPECT_EQ(delay.value(), 650);
    EXPECT_EQ(delay.valueLabel()->text(), "0.65 s");
    delay.slider()->setValue(1274);
    EXPECT_EQ(store.switchDelayMilliseconds(), 1250);
    EXPECT_EQ(delay.value(), 1250);
    EXPECT_EQ(delay.valueLabel()->text(), "1.25 s");
}

} // namespace
} // namespace tessarin
