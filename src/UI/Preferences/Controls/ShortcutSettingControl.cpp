#include "UI/Preferences/Controls/ShortcutSettingControl.h"

#include "Hotkeys/GlobalEventTapRecorder.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Controls/SymbolImageButton.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QHBoxLayout>
#include <cstdio>

namespace tessarin {

namespace {

QString identifierFor(HotkeyIdentifier identifier, const char* part) {
    return QString("keyboard.control.shortcut.%1.%2")
        .arg(QString::fromUtf8(rawValue(identifier).data(),
                               static_cast<int>(rawValue(identifier).size())),
             part);
}

} // namespace

ShortcutSettingControl::ShortcutSettingControl(
    HotkeyIdentifier identifier, const std::optional<HotkeyCombination>& combination,
    bool isShortcutEnabled, bool isAvailable,
    std::function<void(const HotkeyCombination&)> onRecordingComplete,
    std::function<void()> onClear, std::function<void()> onReset, QWidget* parent)
    : QWidget(parent), isAvailable_(isAvailable), isShortcutEnabled_(isShortcutEnabled),
      recorder_(new ShortcutRecorderControl(QRect(0, 0, 150, 22), GlobalEventTapRecorder::shared(),
                                            this)),
      clearButton_(new SymbolImageButton("xmark", "Clear shortcut", this)),
      resetButton_(new SymbolImageButton("arrow.counterclockwise", "Reset shortcut", this)),
      onClear_(std::move(onClear)), onReset_(std::move(onReset)) {
    recorder_->setObjectName(identifierFor(identifier, "recorder"));
    recorder_->setCurrentShortcut(isShortcutEnabled ? combination : std::nullopt);
    recorder_->setEmptyShortcutDisplayString("None");
    recorder_->onRecordingComplete = std::move(onRecordingComplete);
    recorder_->onRecordingCancelled = [] {
        std::printf("[KeyboardShortcuts] Recording cancelled\n");
        std::fflush(stdout);
    };

    clearButton_->setObjectName(identifierFor(identifier, "clear"));
    clearButton_->setToolTip("Set shortcut to None");
    clearButton_->setFixedSize(24, 24);
    QObject::connect(clearButton_, &QToolButton::clicked, this, [this] {
        if (onClear_) {
            onClear_();
        }
    });
    resetButton_->setObjectName(identifierFor(identifier, "reset"));
    resetButton_->setToolTip("Reset shortcut");
    resetButton_->setFixedSize(24, 24);
    QObject::connect(resetButton_, &QToolButton::clicked, this, [this] {
        if (onReset_) {
            onReset_();
        }
    });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(recorder_, 0, Qt::AlignVCenter);
    layout->addSpacing(SettingsPageLayout::recorderButtonGap);
    layout->addWidget(clearButton_, 0, Qt::AlignVCenter);
    layout->addSpacing(4);
    layout->addWidget(resetButton_, 0, Qt::AlignVCenter);
    applySettingsEnabledState(true);
}

void ShortcutSettingControl::applySettingsEnabledState(bool enabled) {
    const bool usable = enabled && isAvailable_;
    recorder_->setEnabled(usable);
    resetButton_->setEnabled(usable);
    clearButton_->setEnabled(usable && isShortcutEnabled_);
}

} // namespace tessarin
