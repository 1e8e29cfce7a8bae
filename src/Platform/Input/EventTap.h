#pragma once

#include "Platform/Input/Event.h"

#include <functional>
#include <memory>
#include <optional>

namespace tessarin {

// What a tap's callback returns: the event to pass on (itself or a rewritten one), or nothing
// to swallow it. Listen-only taps cannot change the stream; their result is ignored.
using EventTapCallback = std::function<std::optional<Event>(uint32_t type, const Event& event)>;

enum class EventTapOptions { defaultTap, listenOnly };

class EventSystem;

// A session event tap at the head of the event stream. It lives as long as its owner keeps the
// handle (or until invalidated); dropping the handle removes the tap, so a callback never
// outlives the object that installed it.
class EventTap {
public:
    EventTap(EventMask mask, EventTapCallback callback, EventTapOptions options);

    EventMask mask() const { return mask_; }
    EventTapOptions options() const { return options_; }
    bool isEnabled() const { return enabled_ && valid_; }
    bool isValid() const { return valid_; }

    void setEnabled(bool enabled);
    // Removes the tap for good; an invalidated tap ignores setEnabled.
    void invalidate();

    bool wants(uint32_t type) const { return (mask_ & eventMaskBit(type)) != 0; }

private:
    friend class EventSystem;
    // Runs the callback; swallowing is honoured only for active taps.
    std::optional<Event> handle(const Event& event);
    void notifyDisabled(uint32_t noticeType);

    EventMask mask_;
    EventTapCallback callback_;
    EventTapOptions options_;
    bool enabled_ = true;
    bool valid_ = true;
};

} // namespace tessarin
