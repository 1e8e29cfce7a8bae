#pragma once

#include "Hotkeys/HotkeyAction.h"
#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/SystemShortcutConflictDetecting.h"
#include "Model/Health/TessarinHealthActionHandling.h"
#include "Model/Health/TessarinHealthCheckPresentationMode.h"
#include "Model/Health/TessarinHealthStatusProviding.h"
#include "UI/Health/TessarinHealthSetupStep.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutAlerts.h"
#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class QAbstractButton;
class QLabel;
class QPushButton;

namespace tessarin {

class GridModeStore;
class HotkeyStore;
class SettingsRowView;
class TessarinHealthCheckPanel;
class TessarinPrivacyPermissionGuidePresenting;
class UserDefaults;
class WorkspaceShortcutStore;

// What the health page works with; every member left empty takes its default (the host's
// checks, actions, defaults and stores, the shared guide, a 1 s timer on the main queue).
struct TessarinHealthCheckPageDependencies {
    std::shared_ptr<TessarinHealthStatusProviding> provider;
    std::shared_ptr<TessarinHealthActionHandling> actionHandler;
    UserDefaults* defaults = nullptr;
    std::function<void()> openSettings;
    std::function<TessarinSpacePracticeState()> practiceStateProvider;
    HotkeyStore* hotkeyStore = nullptr;
    GridModeStore* gridModeStore = nullptr;
    WorkspaceShortcutStore* workspaceShortcutStore = nullptr;
    std::shared_ptr<SystemShortcutConflictDetecting> systemShortcutConflictDetector;
    std::function<SystemShortcutConflictResolution(
        const HotkeyCombination&, const std::vector<SystemKeyboardShortcutConflict>&)>
        systemShortcutConflictResolutionProvider;
    std::function<void(const std::string& address)> openURL;
    // Takes the tick and returns what stops the timer.
    std::function<std::function<void()>(std::function<void()> tick)> recheckTimerFactory;
    TessarinPrivacyPermissionGuidePresenting* permissionGuidePresenter = nullptr;
};

// The health window's page: in setup mode a wizard of one step at a time (the first check that
// needs the user, and the keyboard shortcut step after the privacy permissions), rechecking
// every second while it waits; in all-set mode the closing page. It floats the window while it
// waits for the user and lowers it whenever System Settings or another window must come first.
class TessarinHealthCheckViewController final : public SettingsPageViewController {
public:
    static constexpr const char* keyboardShortcutsAddress =
        "x-apple.systempreferences:com.apple.Keyboard-Settings.extension?KeyboardShortcuts";
    static constexpr double recheckInterval = 1.0;

    explicit TessarinHealthCheckViewController(TessarinHealthCheckPageDependencies dependencies);
    ~TessarinHealthCheckViewController() override;

    void setWindow(TessarinHealthCheckPanel* window) { window_ = window; }
    TessarinHealthCheckPanel* window() const { return window_; }

    void refresh(TessarinHealthCheckPresentationMode mode);
    void setHealthCheckWindowVisible(bool visible);
    bool isSpacePracticeSatisfied() const;
    bool shouldAllowHealthCheckWindowClose() const;
    void applyHealthWindowLevelForCurrentState();
    void startAutomaticRechecksIfNeeded();
    void stopAutomaticRechecks();

    // The buttons.
    void performItemAction(int tag, const std::optional<Rect>& buttonFrameInScreen);
    void skipRecommendedItem(int tag);
    void openSettings();
    void skipPracticeStep();

    // The keyboard step.
    void handleKeyboardSetupRecordingResult(const HotkeyCombination& combination,
                                            const HotkeyAction& action);
    void resetKeyboardSetupShortcut(HotkeyIdentifier identifier);
    void clearKeyboardSetupShortcut(HotkeyIdentifier identifier);
    std::vector<std::string> connectedDisplayIdentifiers() const;
    void openKeyboardShortcutsSettings();
    static std::string keyboardSetupShortcutTitle(HotkeyIdentifier identifier);

    TessarinHealthCheckPresentationMode mode() const { return mode_; }
    const std::optional<TessarinHealthSetupStep>& currentSetupStep() const { return currentStep_; }
    bool isHealthCheckWindowVisible() const { return windowVisible_; }
    bool isYieldingToSystemPrompt() const { return yielding_; }
    bool areRechecksRunning() const { return static_cast<bool>(invalidateRecheckTimer_); }
    const std::set<TessarinHealthCheckIdentifier>& skippedRecommendedIdentifiers() const {
        return skipped_;
    }

protected:
    void viewDidLoad() override;

private:
    void installFittedPage(const std::vector<QWidget*>& sections);
    void refreshSetupStep(const TessarinHealthCheckSnapshot& snapshot);
    void refreshFromNewSnapshot() { refreshSetupStep(dependencies_.provider->snapshot()); }
    void installSetupStep();
    void refreshAllSet(const std::vector<TessarinHealthCheckItem>& skippedItems);
    void rebuildForAppearance();
    void updateRechecksForCurrentState();
    void tick();
    void restoreHealthWindowAfterSystemPromptIfNeeded();
    // The user came back to the window or the program: ends the yield, and with `recheck`
    // takes a snapshot, on a later turn of the main queue.
    static void returnToPage(const std::weak_ptr<TessarinHealthCheckViewController*>& weakSelf,
                             bool recheck);
    void lowerWindow();
    void floatWindow();
    void dismissGuide();
    void updateCloseButton();
    void observeHotkeyDelivery();

    QWidget* makeHealthStepHeroView(const TessarinHealthCheckItem& item);
    QWidget* makeStepButtonStack(const TessarinHealthCheckItem& item);
    QWidget* makeAllSetHeroView(const std::vector<TessarinHealthCheckItem>& skippedItems);
    QWidget* makePracticeStepHeroView(const TessarinSpacePracticeState& state);
    QWidget* makeKeyboardSetupShortcutRowsView();
    SettingsRowView* makeKeyboardSetupShortcutRow(HotkeyIdentifier identifier);
    // The note under a keyboard step's row when its keys, set and in use, cannot reach Tessarin.
    std::optional<std::string> keyboardSetupDeliveryWarning(HotkeyIdentifier identifier) const;
    QLabel* makeDetectedMissionControlPresetLabel();
    QWidget* makePracticeButtonStack();
    // The first other binding (hotkey, then workspace) of the combination, by name.
    std::optional<std::string> conflictingBindingName(const HotkeyCombination& combination,
                                                      const HotkeyAction& action) const;

    TessarinHealthCheckPageDependencies dependencies_;
    TessarinHealthCheckPresentationMode mode_ = TessarinHealthCheckPresentationMode::setup;
    std::set<TessarinHealthCheckIdentifier> skipped_;
    std::optional<TessarinHealthSetupStep> currentStep_;
    bool windowVisible_ = false;
    bool yielding_ = false;
    // Counts the yields, so a return ends only the one it saw.
    unsigned yieldSerial_ = 0;
    std::function<void()> invalidateRecheckTimer_;
    std::optional<int> appActiveObserver_;
    bool windowKeyObserverInstalled_ = false;
    TessarinHealthCheckPanel* window_ = nullptr;
    // Timers, observers and callbacks hold the page weakly through this.
    std::shared_ptr<TessarinHealthCheckViewController*> self_;
    std::vector<TessarinHealthCheckItem> allSetSkippedItems_;
    SettingsAppearanceObserver appearanceObserver_;
    // The keyboard step's rows say which combinations cannot be pressed; they follow the report.
    std::shared_ptr<void> hotkeyDeliveryObserver_;
};

} // namespace tessarin
