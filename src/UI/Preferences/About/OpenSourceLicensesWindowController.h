#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QString>
#include <memory>

class QPlainTextEdit;

namespace tessarin {

class PreferencesPanel;

// The credits and licence texts, as one read-only, selectable text that wraps to the window's
// width and scrolls vertically. The text is composed once, when the controller is made.
class OpenSourceLicensesWindowController {
public:
    static constexpr const char* contentTextViewIdentifier = "openSourceLicenses.content.textView";
    static constexpr int contentWidth = 640;
    static constexpr int contentHeight = 500;
    static constexpr int minimumWidth = 520;
    static constexpr int minimumHeight = 360;

    // The text of the package resource bundle's licence files.
    OpenSourceLicensesWindowController();
    explicit OpenSourceLicensesWindowController(const QString& contentText);
    ~OpenSourceLicensesWindowController();
    OpenSourceLicensesWindowController(const OpenSourceLicensesWindowController&) = delete;
    OpenSourceLicensesWindowController&
    operator=(const OpenSourceLicensesWindowController&) = delete;

    PreferencesPanel* window() const { return window_.get(); }
    QPlainTextEdit* textView() const { return textView_; }

private:
    // The text in the label colour of the current appearance, again whenever it changes.
    void applyTextColor();

    std::unique_ptr<PreferencesPanel> window_;
    QPlainTextEdit* textView_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
