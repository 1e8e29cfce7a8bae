#include "UI/Preferences/Controls/ShortcutRecorderControl.h"

#include "Hotkeys/GlobalEventTapRecorder.h"
#include "Hotkeys/HotKeyManager.h"
#include "Hotkeys/MissionControlShortcutOverrideEventTap.h"
#include "Model/Seams/ApplicationDelegate.h"
#include "Model/Seams/HotkeyReregistering.h"
#include "Platform/Host.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Text/ViewPointFontSize.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace tessarin {

namespace {

constexpr uint16_t kEscapeKeyCode = 53;
// Command, Shift, Option and Control; Caps Lock and the function key count for nothing.
constexpr uint32_t kShortcutModifierMask = 0x1B00;
constexpr const char* kAccessibilitySettingsURL =
    "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(color.alphaF() * alpha));
    return color;
}

} // namespace

QPointer<ShortcutRecorderControl> ShortcutRecorderControl::activeRecorder_;

ShortcutRecorderControl::ShortcutRecorderControl(const QRect& frame,
                                                 ShortcutEventRecording& eventRecorder,
                                                 QWidget* parent)
    : QWidget(parent), eventRecorder_(eventRecorder) {
    setGeometry(frame);
    setFixedSize(frame.size());
    setFocusPolicy(Qt::StrongFocus);
}

ShortcutRecorderControl::~ShortcutRecorderControl() {
    if (isRecording_) {
        isRecording_ = false;
        endRecordingSession();
    }
}

ShortcutRecorderControl* ShortcutRecorderControl::activeRecorder() {
    return activeRecorder_;
}

void ShortcutRecorderControl::cancelActiveRecording() {
    if (ShortcutRecorderControl* active = activeRecorder_) {
        active->setRecording(false);
    } else {
        GlobalEventTapRecorder::shared().stopRecording();
    }
}

void ShortcutRecorderControl::setRecording(bool recording) {
    if (recording == isRecording_) {
        return;
    }
    isRecording_ = recording;
    update();
    if (recording) {
        beginRecordingSession();
    } else {
        endRecordingSession();
    }
}

void ShortcutRecorderControl::setCurrentShortcut(const std::optional<HotkeyCombination>& shortcut) {
    currentShortcut_ = shortcut;
    update();
}

void ShortcutRecorderControl::setEmptyShortcutDisplayString(const QString& text) {
    emptyShortcutDisplayString_ = text;
    update();
}

void ShortcutRecorderControl::mousePressEvent(QMouseEvent*) {
    if (!isEnabled()) {
        return;
    }
    if (!Host::current().system().isProcessTrusted()) {
        showAccessibilityAlert();
        return;
    }
    if (ShortcutRecorderControl* other = activeRecorder_; other != nullptr && other != this) {
        if (other->isRecording()) {
            other->setRecording(false);
        }
    }
    // A click on a recorder that records already is the back end's: it cancels.
    if (!isRecording_) {
        setRecording(true);
    }
}

void ShortcutRecorderControl::beginRecordingSession() {
    keyPressed_ = false;
    recordingWindow_ = window();
    HotKeyManager::shared().unregisterAll();
    MissionControlShortcutOverrideEventTap::shared().stop();
    const QPointer<ShortcutRecorderControl> weakSelf(this);
    const auto cancel = [weakSelf] {
        if (weakSelf) {
            weakSelf->cancelFromBackEnd();
        }
    };
    const bool started = eventRecorder_.startRecording(
        [weakSelf](const Event& event) {
            if (weakSelf) {
                weakSelf->handleKeyPress(event);
            }
        },
        cancel, cancel, recordingTimeout);
    if (started) {
        activeRecorder_ = this;
        return;
    }
    setRecording(false);
    if (onRecordingCancelled) {
        onRecordingCancelled();
    }
}

void ShortcutRecorderControl::endRecordingSession() {
    eventRecorder_.stopRecording();
    keyPressed_ = false;
    recordingWindow_ = nullptr;
    if (activeRecorder_ == this) {
        activeRecorder_ = nullptr;
    }
    if (HotkeyReregistering* delegate = ApplicationDelegate::current()) {
        delegate->reregisterAllHotkeys();
    }
}

void ShortcutRecorderControl::handleKeyPress(const Event& event) {
    SystemServices& system = Host::current().system();
    if (keyPressed_) {
        system.beep();
        return;
    }
    keyPressed_ = true;
    if (event.keyCode() == kEscapeKeyCode) {
        setRecording(false);
        if (onRecordingCancelled) {
            onRecordingCancelled();
        }
        return;
    }
    const std::optional<HotkeyCombination> combination = HotkeyCombination::from(event);
    if (!combination || combination->displayKey.empty() ||
        (combination->modifiers & kShortcutModifierMask) == 0) {
        system.beep();
        keyPressed_ = false;
        return;
    }
    setRecording(false);
    if (onRecordingComplete) {
        onRecordingComplete(*combination);
    }
}

void ShortcutRecorderControl::cancelFromBackEnd() {
    // The back end calls from inside its tap or timer; the control answers on a later turn.
    const QPointer<ShortcutRecorderControl> weakSelf(this);
    MainQueue::main().async([weakSelf] {
        if (!weakSelf || !weakSelf->isRecording()) {
            return;
        }
        weakSelf->setRecording(false);
        if (weakSelf && weakSelf->onRecordingCancelled) {
            weakSelf->onRecordingCancelled();
        }
    });
}

void ShortcutRecorderControl::showAccessibilityAlert() {
    // The alert must come in front of whatever application the user was in.
    Host::current().programActivation().activate();
    SystemServices& system = Host::current().system();
    const SystemAlert alert{"Accessibility Permission Required",
                            "Tessarin needs Accessibility permissions to record keyboard "
                            "shortcuts.\n\nPlease enable it in System Settings > Privacy & "
                            "Security > Accessibility.",
                            {"Open System Settings", "Cancel"},
                            AlertStyle::warning};
    if (system.runModalAlert(alert) == AlertResponse::firstButton) {
        system.openURL(kAccessibilitySettingsURL);
    }
}

void ShortcutRecorderControl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled() && isRecording_) {
            setRecording(false);
        }
        update();
    }
    QWidget::changeEvent(event);
}

bool ShortcutRecorderControl::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange && isRecording_ && window() != recordingWindow_) {
        setRecording(false);
    }
    return QWidget::event(event);
}

QString ShortcutRecorderControl::displayText() const {
    if (isRecording_) {
        return "Press keys...";
    }
    if (currentShortcut_) {
        return QString::fromStdString(currentShortcut_->displayString());
    }
    return emptyShortcutDisplayString_;
}

QColor ShortcutRecorderControl::fillColor() const {
    namespace L = SettingsPageLayout;
    const Appearance appearance = L::effectiveAppearance();
    if (!isEnabled()) {
        return withAlpha(L::resolvedColor(SettingsSystemColor::controlBackground, appearance), 0.6);
    }
    if (isRecording_) {
        return withAlpha(L::resolvedColor(SettingsSystemColor::selectedControl, appearance), 0.3);
    }
    return L::resolvedColor(SettingsSystemColor::controlBackground, appearance);
}

void ShortcutRecorderControl::paintEvent(QPaintEvent*) {
    namespace L = SettingsPageLayout;
    const Appearance appearance = L::effectiveAppearance();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(alphaValue());
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    painter.fillPath(path, fillColor());
    painter.strokePath(path, QPen(L::resolvedColor(SettingsSystemColor::separator, appearance), 1));
    QFont font;
    setViewPointSize(font, 13);
    painter.setFont(font);
    painter.setPen(L::resolvedColor(isEnabled() ? SettingsSystemColor::label
                                                : SettingsSystemColor::disabledControlText,
                                    appearance));
    painter.drawText(rect(), Qt::AlignCenter, displayText());
}

} // namespace tessarin
