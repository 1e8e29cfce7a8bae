#include "UI/Preferences/Keyboard/KeyboardRecorderControls.h"

#include "Hotkeys/GlobalEventTapRecorder.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"
#include "UI/Preferences/Keyboard/KeyboardSymbolButton.h"
#include "UI/Preferences/Kit/SettingsControlEnabling.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace tessarin {

namespace {

class SlotControl final : public QWidget, public SettingsControlEnabling {
public:
    SlotControl(const ShortcutRowModel& model,
                std::function<void(const HotkeyCombination&)> onComplete,
                std::function<void()> onClear, std::function<void()> onReset)
        : isAvailable_(model.isAvailable), isShortcutEnabled_(model.isShortcutEnabled),
          recorder_(KeyboardRecorderControls::hotkeyRecorder(
              KeyboardShortcutsViewIdentifier::shortcutControl(model.action.identifier, "recorder"),
              model.shownCombination(), std::move(onComplete))),
          clear_(makeKeyboardSymbolButton("xmark", "Clear shortcut", "Set shortcut to None")),
          reset_(makeKeyboardSymbolButton("arrow.counterclockwise", "Reset shortcut",
                                          "Reset shortcut")) {
        const HotkeyIdentifier identifier = model.action.identifier;
        clear_->setObjectName(QString::fromStdString(
            KeyboardShortcutsViewIdentifier::shortcutControl(identifier, "clear")));
        reset_->setObjectName(QString::fromStdString(
            KeyboardShortcutsViewIdentifier::shortcutControl(identifier, "reset")));
        QObject::connect(clear_, &QToolButton::clicked, this, [onClear] { onClear(); });
        QObject::connect(reset_, &QToolButton::clicked, this, [onReset] { onReset(); });
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(4);
        layout->addWidget(recorder_);
        layout->addSpacing(4);
        layout->addWidget(clear_);
        layout->addWidget(reset_);
        applySettingsEnabledState(true);
    }

    void applySettingsEnabledState(bool enabled) override {
        const bool usable = enabled && isAvailable_;
        recorder_->setEnabled(usable);
        reset_->setEnabled(usable);
        clear_->setEnabled(usable && isShortcutEnabled_);
    }

private:
    bool isAvailable_;
    bool isShortcutEnabled_;
    QWidget* recorder_;
    QToolButton* clear_;
    QToolButton* reset_;
};

} // namespace

QWidget*
KeyboardRecorderControls::hotkeyRecorder(const std::string& objectName,
                                         const std::optional<HotkeyCombination>& shown,
                                         std::function<void(const HotkeyCombination&)> onComplete) {
    auto* recorder =
        new ShortcutRecorderControl(QRect(0, 0, 150, 22), GlobalEventTapRecorder::shared());
    recorder->setObjectName(QString::fromStdString(objectName));
    recorder->setFixedSize(150, 22);
    recorder->setCurrentShortcut(shown);
    recorder->setEmptyShortcutDisplayString("None");
    recorder->onRecordingComplete = std::move(onComplete);
    return recorder;
}

QWidget* KeyboardRecorderControls::shortcutSettingControl(
    const ShortcutRowModel& model, std::function<void(const HotkeyCombination&)> onComplete,
    std::function<void()> onClear, std::function<void()> onReset) {
    return new SlotControl(model, std::move(onComplete), std::move(onClear), std::move(onReset));
}

QWidget* KeyboardRecorderControls::osdKeyRecorder(OSDKeyBindingAction action,
                                                  const OSDKeyBinding& binding,
                                                  std::function<void(const OSDKeyBinding&)>) {
    auto* recorder = new QLabel;
    recorder->setObjectName(
        QString::fromStdString(KeyboardShortcutsViewIdentifier::osdKeybindRecorder(action)));
    recorder->setFixedSize(150, 22);
    showOSDKeyBinding(*recorder, binding);
    return recorder;
}

void KeyboardRecorderControls::showOSDKeyBinding(QWidget& recorder, const OSDKeyBinding& binding) {
    if (auto* label = qobject_cast<QLabel*>(&recorder)) {
        label->setText(QString::fromStdString(OSDKeyBinding::modifierSymbols(binding.modifiers) +
                                              binding.displayKey));
    }
}

} // namespace tessarin
