#include "Platform/Input/EventTap.h"

namespace tessarin {

EventTap::EventTap(EventMask mask, EventTapCallback callback, EventTapOptions options)
    : mask_(mask), callback_(std::move(callback)), options_(options) {}

void EventTap::setEnabled(bool enabled) {
    if (valid_) {
        enabled_ = enabled;
    }
}

void EventTap::invalidate() {
    valid_ = false;
    enabled_ = false;
}

std::optional<Event> EventTap::handle(const Event& event) {
    if (!callback_) {
        return event;
    }
    auto result = callback_(event.type, event);
    if (options_ == EventTapOptions::listenOnly) {
        return event;
    }
    return result;
}

void EventTap::notifyDisabled(uint32_t noticeType) {
    if (!valid_ || !callback_) {
        return;
    }
    Event notice;
    notice.type = noticeType;
    callback_(noticeType, notice);
}

} // namespace tessarin
