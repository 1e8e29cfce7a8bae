#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/ShortcutEventRecording.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

namespace tessarin {

// The click-to-record field of a global hotkey. A click starts recording; the next key press
// anywhere in the session with at least one of Command, Shift, Option or Control becomes the
// result. Escape, a click anywhere, the time-out, the window losing the keys or the control
// leaving its window end it without one. While it records, every hotkey of the program is
// unregistered and the Mission Control override tap is stopped, so the keys reach the one-shot
// tap; when it ends, the application delegate registers them all again. One recorder records
// at a time. The control only shows a combination: its owner stores the result and sets
// `currentShortcut`.
class ShortcutRecorderControl final : public QWidget {
    Q_OBJECT

public:
    static constexpr double recordingTimeout = 30.0;

    ShortcutRecorderControl(const QRect& frame, ShortcutEventRecording& eventRecorder,
                            QWidget* parent = nullptr);
    // A recorder that still records ends its capture first.
    ~ShortcutRecorderControl() override;

    // The recorder that records now, if any.
    static ShortcutRecorderControl* activeRecorder();
    // Ends the active recording; with none, stops the shared back end all the same.
    static void cancelActiveRecording();

    bool isRecording() const { return isRecording_; }
    // Begins or ends the capture when the value changes.
    void setRecording(bool recording);

    const std::optional<HotkeyCombination>& currentShortcut() const { return currentShortcut_; }
    void setCurrentShortcut(const std::optional<HotkeyCombination>& shortcut);
    const QString& emptyShortcutDisplayString() const { return emptyShortcutDisplayString_; }
    void setEmptyShortcutDisplayString(const QString& text);

    // What the field shows now.
    QString displayText() const;
    // 1 when enabled, 0.5 when not.
    double alphaValue() const { return isEnabled() ? 1.0 : 0.5; }
    QColor fillColor() const;

    std::function<void(const HotkeyCombination&)> onRecordingComplete;
    std::function<void()> onRecordingCancelled;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void beginRecordingSession();
    void endRecordingSession();
    void handleKeyPress(const Event& event);
    void cancelFromBackEnd();
    static void showAccessibilityAlert();

    ShortcutEventRecording& eventRecorder_;
    bool isRecording_ = false;
    // A key press of this recording is being handled; another one before it settles beeps.
    bool keyPressed_ = false;
    std::optional<HotkeyCombination> currentShortcut_;
    QString emptyShortcutDisplayString_ = "Click to record";
    // The window the recording began in; leaving it ends the recording.
    QPointer<QWidget> recordingWindow_;

    static QPointer<ShortcutRecorderControl> activeRecorder_;
};

} // namespace tessarin
