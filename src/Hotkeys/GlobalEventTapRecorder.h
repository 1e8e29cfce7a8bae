#pragma once

#include "Hotkeys/ShortcutEventRecording.h"
#include "Support/WorkItem.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace tessarin {

class EventSystem;
class EventTap;

// Records through an active tap at the head of the session: every key down goes to
// `onKeyPress` and is swallowed, until the caller stops; a mouse click anywhere ends the
// recording, is swallowed and reported through `onMouseClick`; the time-out, or the system
// switching the tap off, ends it through `onCancellation`. Each callback is still called after
// the recorder is idle again, so it may start the next recording.
class GlobalEventTapRecorder : public ShortcutEventRecording {
public:
    using EventSystemProvider = std::function<EventSystem&()>;

    explicit GlobalEventTapRecorder(EventSystemProvider eventSystem);
    ~GlobalEventTapRecorder() override;
    GlobalEventTapRecorder(const GlobalEventTapRecorder&) = delete;
    GlobalEventTapRecorder& operator=(const GlobalEventTapRecorder&) = delete;

    // The app's recorder, on the current host's event stream.
    static GlobalEventTapRecorder& shared();

    bool startRecording(KeyPressHandler onKeyPress, Notification onMouseClick,
                        Notification onCancellation, TimeInterval timeout) override;
    void stopRecording() override;
    bool isRecording() const { return eventTap_ != nullptr; }

    // One event as the tap sees it: the event to pass on, or nothing to swallow it.
    std::optional<Event> handleTapEvent(uint32_t type, const Event& event);

private:
    void cancelRecording(uint64_t generation);

    EventSystemProvider eventSystem_;
    std::shared_ptr<EventTap> eventTap_;
    WorkItem timeoutTimer_;
    KeyPressHandler onKeyPress_;
    Notification onMouseClick_;
    Notification onCancellation_;
    // Tells a late cancellation step which recording it belongs to.
    uint64_t generation_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace tessarin
