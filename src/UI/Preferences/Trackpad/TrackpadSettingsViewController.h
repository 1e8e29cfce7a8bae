#pragma once

#include "Hotkeys/Trackpad/TrackpadRawInputCoordinator.h"
#include "Hotkeys/Trackpad/TrackpadSystemGestureDetector.h"
#include "Platform/Program/ProgramActivation.h"
#include "Support/Published.h"
#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QWidget;

namespace tessarin {

class SettingsPopUpButton;
class SettingsSliderControl;
class SettingsSwitch;
class TrackpadSwipeSettingsStore;

// The Trackpad page: swipe navigation on or off, its finger count, when a swipe switches, the
// delay and the direction; while navigation is on, whether the trackpad is ready for it.
// Re-renders on every stored change, when the program becomes active and when the raw input
// changes state.
class TrackpadSettingsViewController final : public SettingsPageViewController {
public:
    static constexpr const char* trackpadSettingsURL =
        "x-apple.systempreferences:com.apple.Trackpad-Settings.extension";

    using OpenURL = std::function<void(const std::string&)>;
    using SystemGestureStatusSource = std::function<TrackpadSystemGestureStatus()>;

    // Defaults: the host's URL opening, the system trackpad domains and the shared raw input.
    explicit TrackpadSettingsViewController(
        TrackpadSwipeSettingsStore& store, OpenURL openURL = {},
        SystemGestureStatusSource systemGestureStatus = {},
        Published<TrackpadRawInputState>* rawInputState = nullptr);
    ~TrackpadSettingsViewController() override;

    void renderPage();

    // Handlers of the controls.
    void swipeNavigationChanged();
    void navigationFingerCountChanged();
    void spaceSwitchModeChanged();
    void switchDelayChanged();
    void directionReversedChanged();
    void openTrackpadSystemSettings();

    SettingsSwitch& swipeNavigationSwitch() const { return *swipeNavigationSwitch_; }
    SettingsPopUpButton& navigationFingerCountPopup() const { return *navigationFingerCountPopup_; }
    SettingsPopUpButton& spaceSwitchModePopup() const { return *spaceSwitchModePopup_; }
    SettingsSliderControl& switchDelaySlider() const { return *switchDelaySlider_; }
    SettingsSwitch& directionReversedSwitch() const { return *directionReversedSwitch_; }
    QLabel& systemGestureStatusLabel() const { return *systemGestureStatusLabel_; }

protected:
    void viewDidLoad() override;

private:
    void setupControls();
    void bindStore();
    void configureSystemGestureStatus(bool ready);
    std::vector<QWidget*> makeRows();

    TrackpadSwipeSettingsStore& store_;
    OpenURL openURL_;
    SystemGestureStatusSource systemGestureStatus_;
    Published<TrackpadRawInputState>* rawInputState_;
    std::vector<Subscription> cancellables_;
    ProgramActivation::Token activationToken_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    QPushButton* openSystemSettingsButton_ = nullptr;
    QWidget* systemGestureStatusRow_ = nullptr;
    QLabel* systemGestureStatusIcon_ = nullptr;
    QLabel* systemGestureStatusLabel_ = nullptr;
    SettingsSwitch* swipeNavigationSwitch_ = nullptr;
    SettingsPopUpButton* navigationFingerCountPopup_ = nullptr;
    SettingsPopUpButton* spaceSwitchModePopup_ = nullptr;
    SettingsSliderControl* switchDelaySlider_ = nullptr;
    SettingsSwitch* directionReversedSwitch_ = nullptr;
    // The status's colour is the form that reads in the appearance: it follows a change of it.
    bool statusReady_ = false;
    SettingsAppearanceObserver appearanceObserver_{
        [this] { configureSystemGestureStatus(statusReady_); }};
};

} // namespace tessarin
