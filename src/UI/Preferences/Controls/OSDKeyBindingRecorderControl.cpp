#include "UI/Preferences/Controls/OSDKeyBindingRecorderControl.h"

#include "Platform/Host.h"
#include "Platform/Input/HostKeyEvent.h"
#include "Platform/SystemServices.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Text/ViewPointFontSize.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace tessarin {

namespace {

namespace L = SettingsPageLayout;

constexpr qreal kTextInset = 6;

QFont textFont() {
    QFont font;
    setViewPointSize(font, 13);
    return font;
}

// Keys that only change the modifiers; the host reports them as flag changes, not key presses.
bool isModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta ||
           key == Qt::Key_Alt || key == Qt::Key_CapsLock || key == Qt::Key_AltGr;
}

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(color.alphaF() * alpha));
    return color;
}

} // namespace

OSDKeyBindingRecorderControl::OSDKeyBindingRecorderControl(OSDKeyBindingAction action,
                                                           const OSDKeyBinding& currentBinding,
                                                           const QRect& frame, QWidget* parent)
    : QWidget(parent), action_(action), currentBinding_(currentBinding) {
    setGeometry(frame);
    setFocusPolicy(Qt::StrongFocus);
}

void OSDKeyBindingRecorderControl::setCurrentBinding(const OSDKeyBinding& binding) {
    currentBinding_ = binding;
    update();
}

void OSDKeyBindingRecorderControl::applySettingsEnabledState(bool enabled) {
    isControlEnabled_ = enabled;
    if (!enabled) {
        stopRecording();
    }
    update();
}

void OSDKeyBindingRecorderControl::stopRecording() {
    if (isRecording_) {
        isRecording_ = false;
        update();
    }
}

void OSDKeyBindingRecorderControl::mousePressEvent(QMouseEvent*) {
    if (!isControlEnabled_) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    if (!isRecording_) {
        isRecording_ = true;
        update();
    }
}

bool OSDKeyBindingRecorderControl::event(QEvent* event) {
    // While recording every key is ours: no shortcut and no default button may take it.
    if (event->type() == QEvent::ShortcutOverride && isRecording_) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::ParentChange && parentWidget() == nullptr) {
        stopRecording();
    }
    return QWidget::event(event);
}

void OSDKeyBindingRecorderControl::keyPressEvent(QKeyEvent* event) {
    if (!isRecording_) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (isModifierKey(event->key())) {
        return;
    }
    const auto hostEvent = hostKeyEvent(*event);
    const auto binding = hostEvent ? OSDKeyBinding::from(*hostEvent) : std::nullopt;
    if (!binding) {
        Host::current().system().beep();
        return;
    }
    isRecording_ = false;
    currentBinding_ = *binding;
    update();
    if (onRecordingComplete) {
        onRecordingComplete(*binding);
    }
}

void OSDKeyBindingRecorderControl::focusOutEvent(QFocusEvent* event) {
    // The window losing the keys keeps its focus widget; only focus moving elsewhere ends it.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        stopRecording();
    }
    QWidget::focusOutEvent(event);
}

QString OSDKeyBindingRecorderControl::displayText() const {
    if (isRecording_) {
        return "Press key...";
    }
    return QString::fromStdString(OSDKeyBinding::modifierSymbols(currentBinding_.modifiers) +
                                  currentBinding_.displayKey);
}

QRectF OSDKeyBindingRecorderControl::textRect() const {
    const QSizeF text = QFontMetricsF(textFont()).size(Qt::TextSingleLine, displayText());
    const qreal x = std::max((width() - text.width()) / 2, kTextInset);
    const qreal y = (height() - text.height()) / 2;
    return {x, y, std::min(width() - 2 * kTextInset, text.width()), text.height()};
}

void OSDKeyBindingRecorderControl::paintEvent(QPaintEvent*) {
    const Appearance appearance = L::effectiveAppearance();
    const QColor background = L::resolvedColor(SettingsSystemColor::controlBackground, appearance);
    QColor fill = background;
    if (!isControlEnabled_) {
        fill = withAlpha(background, 0.6);
    } else if (isRecording_) {
        fill = withAlpha(L::resolvedColor(SettingsSystemColor::selectedControl, appearance), 0.3);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(alphaValue());
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    painter.fillPath(path, fill);
    painter.strokePath(path, QPen(L::resolvedColor(SettingsSystemColor::separator, appearance), 1));
    painter.setFont(textFont());
    painter.setPen(L::resolvedColor(isControlEnabled_ ? SettingsSystemColor::label
                                                      : SettingsSystemColor::disabledControlText,
                                    appearance));
    const QRectF target = textRect();
    painter.setClipRect(target);
    painter.drawText(target, Qt::AlignLeft | Qt::AlignVCenter, displayText());
}

} // namespace tessarin
