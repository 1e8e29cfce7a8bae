#pragma once

#include "Platform/Input/Event.h"
#include "Support/Clock.h"

#include <functional>

namespace tessarin {

// A one-shot capture of the next key press anywhere in the session, for the shortcut recorder
// controls.
class ShortcutEventRecording {
public:
    using KeyPressHandler = std::function<void(const Event&)>;
    using Notification = std::function<void()>;

    virtual ~ShortcutEventRecording() = default;

    // Stops a capture in progress first. False when the capture cannot be set up (for example
    // without Accessibility trust); `timeout` 0 records without a time limit.
    virtual bool startRecording(KeyPressHandler onKeyPress, Notification onMouseClick,
                                Notification onCancellation, TimeInterval timeout) = 0;
    // Safe to call when nothing is recording.
    virtual void stopRecording() = 0;
};

} // namespace tessarin
