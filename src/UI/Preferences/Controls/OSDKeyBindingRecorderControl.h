#pragma once

#include "Hotkeys/OSDKeyBinding.h"
#include "Hotkeys/OSDKeyBindingAction.h"
#include "UI/Preferences/Kit/SettingsControlEnabling.h"

#include <QRectF>
#include <QWidget>
#include <functional>

namespace tessarin {

// Records the one plain key that does an action inside an open OSD. Unlike the hotkey field it
// takes the keys through its window (a click makes it the focus), since the OSD's keys are read
// the same way; a key held with Command, Shift, Option or Control, or one that shows no text,
// beeps and recording goes on. It stores nothing: the owner hears the binding.
class OSDKeyBindingRecorderControl final : public QWidget, public SettingsControlEnabling {
    Q_OBJECT

public:
    OSDKeyBindingRecorderControl(OSDKeyBindingAction action, const OSDKeyBinding& currentBinding,
                                 const QRect& frame, QWidget* parent = nullptr);

    void applySettingsEnabledState(bool enabled) override;

    OSDKeyBindingAction action() const { return action_; }
    const OSDKeyBinding& currentBinding() const { return currentBinding_; }
    void setCurrentBinding(const OSDKeyBinding& binding);
    bool isRecording() const { return isRecording_; }
    bool isControlEnabled() const { return isControlEnabled_; }
    double alphaValue() const { return isControlEnabled_ ? 1.0 : 0.5; }
    QString displayText() const;
    // Where the text goes: centred, but never nearer than 6 points to the edges.
    QRectF textRect() const;

    std::function<void(const OSDKeyBinding&)> onRecordingComplete;

    QSize sizeHint() const override { return {150, 22}; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void stopRecording();

    OSDKeyBindingAction action_;
    OSDKeyBinding currentBinding_;
    bool isRecording_ = false;
    bool isControlEnabled_ = true;
};

} // namespace tessarin
