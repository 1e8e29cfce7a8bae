#include "Hotkeys/GlobalEventTapRecorder.h"

#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Input/EventTap.h"
#include "Support/MainQueue.h"

namespace tessarin {

namespace {

constexpr EventMask kRecordedEvents =
    eventMaskBit(EventType::leftMouseDown) | eventMaskBit(EventType::rightMouseDown) |
    eventMaskBit(EventType::keyDown) | eventMaskBit(EventType::otherMouseDown);

bool isDisabledNotice(uint32_t type) {
    return type == EventType::tapDisabledByTimeout || type == EventType::tapDisabledByUserInput;
}

} // namespace

GlobalEventTapRecorder::GlobalEventTapRecorder(EventSystemProvider eventSystem)
    : eventSystem_(std::move(eventSystem)) {}

GlobalEventTapRecorder::~GlobalEventTapRecorder() {
    *alive_ = false;
    stopRecording();
}

GlobalEventTapRecorder& GlobalEventTapRecorder::shared() {
    return Host::current().sharedInstance<GlobalEventTapRecorder>([](Host& host) {
        return std::make_shared<GlobalEventTapRecorder>(
            [&host]() -> EventSystem& { return host.events(); });
    });
}

bool GlobalEventTapRecorder::startRecording(KeyPressHandler onKeyPress, Notification onMouseClick,
                                            Notification onCancellation, TimeInterval timeout) {
    stopRecording();
    eventTap_ =
        eventSystem_().createTap(kRecordedEvents, [this](uint32_t type, const Event& event) {
            return handleTapEvent(type, event);
        });
    if (!eventTap_) {
        return false;
    }
    onKeyPress_ = std::move(onKeyPress);
    onMouseClick_ = std::move(onMouseClick);
    onCancellation_ = std::move(onCancellation);
    const uint64_t generation = ++generation_;
    if (timeout > 0) {
        timeoutTimer_ =
            eventSystem_().queue().asyncAfter(timeout, [this, alive = alive_, generation] {
                if (*alive) {
                    cancelRecording(generation);
                }
            });
    }
    return true;
}

void GlobalEventTapRecorder::stopRecording() {
    timeoutTimer_.cancel();
    timeoutTimer_ = WorkItem();
    if (eventTap_) {
        eventTap_->setEnabled(false);
        eventTap_->invalidate();
        eventTap_.reset();
    }
    onKeyPress_ = nullptr;
    onMouseClick_ = nullptr;
    onCancellation_ = nullptr;
}

void GlobalEventTapRecorder::cancelRecording(uint64_t generation) {
    if (generation != generation_ || !isRecording()) {
        return;
    }
    const Notification onCancellation = onCancellation_;
    stopRecording();
    if (onCancellation) {
        onCancellation();
    }
}

std::optional<Event> GlobalEventTapRecorder::handleTapEvent(uint32_t type, const Event& event) {
    if (isMouseDownType(type)) {
        if (!onMouseClick_ || !eventTap_) {
            return event;
        }
        const Notification onMouseClick = onMouseClick_;
        stopRecording();
        onMouseClick();
        return std::nullopt;
    }
    if (type == EventType::keyDown) {
        if (!onKeyPress_ || !eventTap_) {
            return event;
        }
        // A copy: the handler may stop or restart the recording while it runs.
        const KeyPressHandler onKeyPress = onKeyPress_;
        onKeyPress(event);
        return std::nullopt;
    }
    if (isDisabledNotice(type)) {
        eventSystem_().queue().async([this, alive = alive_, generation = generation_] {
            if (*alive) {
                cancelRecording(generation);
            }
        });
    }
    return event;
}

} // namespace tessarin
