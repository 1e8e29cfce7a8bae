#pragma once

#include "Model/Seams/PreferencesWindowPresenting.h"
#include "UI/Preferences/Window/PreferencesPageFactory.h"

#include <memory>

namespace tessarin {

class PreferencesPanel;
class PreferencesTabViewController;
class SoftwareUpdateChecking;
class UserDefaults;

// The preferences window: one panel of a fixed size with the pages' toolbar. Made on the first
// request to open the preferences and kept for the run; closing it only hides it, so the next
// opening shows the same page in the same state.
class PreferencesWindowController final : public PreferencesWindowPresenting {
public:
    static constexpr int contentWidth = 680;
    static constexpr int contentHeight = 760;
    static constexpr int minimumWidth = 620;
    static constexpr int minimumHeight = 520;

    // Without an update holder the window makes its own from the program's bundle. Pages come
    // from `makePage`, by default the five pages over the host's shared stores.
    explicit PreferencesWindowController(SoftwareUpdateChecking* softwareUpdateController,
                                         PreferencesPageFactory makePage = {});
    // The same over the given defaults instead of the program's own.
    PreferencesWindowController(SoftwareUpdateChecking* softwareUpdateController,
                                PreferencesPageFactory makePage, UserDefaults& defaults);
    ~PreferencesWindowController() override;
    PreferencesWindowController(const PreferencesWindowController&) = delete;
    PreferencesWindowController& operator=(const PreferencesWindowController&) = delete;

    PreferencesPanel* window() const { return window_.get(); }
    bool hasWindow() const override { return window_ != nullptr; }
    PreferencesTabViewController& tabViewController() const { return *tabViewController_; }

    // Opening the preferences: activates the program ignoring other applications, makes the
    // window key and orders it front, then orders it front regardless.
    void bringWindowToFront() override;

    // The window stopped being key: a shortcut recording in progress ends.
    static void windowDidResignKey();

private:
    std::unique_ptr<SoftwareUpdateChecking> ownUpdateController_;
    std::unique_ptr<PreferencesTabViewController> tabViewController_;
    std::unique_ptr<PreferencesPanel> window_;
};

} // namespace tessarin
