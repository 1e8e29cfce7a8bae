#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyIdentifier.h"
#include "UI/Preferences/Kit/SettingsControlEnabling.h"

#include <QWidget>
#include <functional>
#include <optional>

namespace tessarin {

class ShortcutRecorderControl;
class SymbolImageButton;

// The control of one hotkey slot: its click-to-record field, then a button that sets it to
// None (disables the slot, keeping its keys) and one that resets it. It stores nothing: the
// owner hears the result and the button presses and writes the store. A disabled slot shows
// "None".
class ShortcutSettingControl final : public QWidget, public SettingsControlEnabling {
    Q_OBJECT

public:
    ShortcutSettingControl(HotkeyIdentifier identifier,
                           const std::optional<HotkeyCombination>& combination,
                           bool isShortcutEnabled, bool isAvailable,
                           std::function<void(const HotkeyCombination&)> onRecordingComplete,
                           std::function<void()> onClear, std::function<void()> onReset,
                           QWidget* parent = nullptr);

    // Enabled only when `enabled` and the slot is available; the clear button also needs the
    // slot to be enabled.
    void applySettingsEnabledState(bool enabled) override;

    ShortcutRecorderControl* recorder() const { return recorder_; }
    SymbolImageButton* clearButton() const { return clearButton_; }
    SymbolImageButton* resetButton() const { return resetButton_; }
    bool isAvailable() const { return isAvailable_; }
    bool isShortcutEnabled() const { return isShortcutEnabled_; }

private:
    bool isAvailable_;
    bool isShortcutEnabled_;
    ShortcutRecorderControl* recorder_;
    SymbolImageButton* clearButton_;
    SymbolImageButton* resetButton_;
    std::function<void()> onClear_;
    std::function<void()> onReset_;
};

} // namespace tessarin
