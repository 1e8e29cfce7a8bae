#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "UI/Preferences/Keyboard/DirectSlotNameTextFieldDelegate.h"
#include "UI/Preferences/Keyboard/DirectSlotRowModel.h"
#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tessarin {

class ShortcutRecorderControl;
class SymbolImageButton;

// What a direct-slot row reports to its page.
struct DirectSlotRowCallbacks {
    std::function<void(const std::optional<std::string>&)> onNameChange;
    std::function<void(bool)> onObscureToggle;
    std::function<void(const HotkeyCombination&)> onRecordingComplete;
    std::function<void()> onClear;
    std::function<void()> onReset;
};

// One direct slot: its number, its custom name, whether its previews are
// obscured, and its hotkey with clear and reset buttons.
class DirectSlotSettingsRowView final : public QWidget {
public:
    DirectSlotSettingsRowView(const DirectSlotRowModel& model, DirectSlotRowCallbacks callbacks);

    void applyEnabledState(bool available);

    QLabel* titleLabel() const { return titleLabel_; }
    QLineEdit* nameField() const { return nameField_; }
    QCheckBox* obscureCheckbox() const { return obscureCheckbox_; }
    ShortcutRecorderControl* recorder() const { return recorder_; }
    SymbolImageButton* clearButton() const { return clearButton_; }
    SymbolImageButton* resetButton() const { return resetButton_; }

private:
    void buildNameField(const DirectSlotRowModel& model);
    void buildObscureCheckbox(const DirectSlotRowModel& model);
    void layOut();
    // The slot number in the label colour (disabled while the row is not available) and the
    // name field in the appearance's field colours.
    void applyColors();

    QLabel* titleLabel_;
    QLineEdit* nameField_;
    QCheckBox* obscureCheckbox_;
    ShortcutRecorderControl* recorder_;
    SymbolImageButton* clearButton_;
    SymbolImageButton* resetButton_;
    QLabel* deliveryWarningLabel_ = nullptr; // under the row, when its keys cannot be pressed
    DirectSlotNameTextFieldDelegate nameDelegate_;
    DirectSlotRowCallbacks callbacks_;
    bool isAvailable_ = true;
    bool isShortcutEnabled_ = false;
    bool isObscureEditable_ = false;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
