#pragma once

namespace tessarin {

// The shortcut recorder controls of the preferences: a recording in progress ends when the
// program resigns active or stops (the active control stops and brings the hotkeys back; with
// no control active, the one-shot recorder is told to stop).
class ShortcutRecordingCancelling {
public:
    virtual ~ShortcutRecordingCancelling() = default;
    virtual void cancelActiveRecording() = 0;
};

} // namespace tessarin
