#include "Hotkeys/Trackpad/TrackpadSwipeEventTap.h"

#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Support/Environment.h"
#include "Support/MainQueue.h"

#include <cstdio>

namespace tessarin {

namespace {

// A gesture whose raw contacts lifted this long ago still counts as made with them: the
// window server's ended event may trail the last frame.
constexpr double kContactMaximumAge = 0.2;

bool isDisabledNotice(uint32_t type) {
    return type == EventType::tapDisabledByTimeout || type == EventType::tapDisabledByUserInput;
}

std::string debugLine(const TrackpadSwipeEventSnapshot& s, const TrackpadSwipeRecognition& r) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "type=%u hid=%lld sourceUserData=%lld privateSourceTag=%lld progress=%f "
                  "motion=%lld phase=%lld consume=%s direction=%s",
                  s.type, static_cast<long long>(s.hid), static_cast<long long>(s.sourceUserData),
                  static_cast<long long>(s.privateSourceTag), s.progress,
                  static_cast<long long>(s.motion), static_cast<long long>(s.phase),
                  r.shouldConsume ? "true" : "false",
                  r.transitionDirection ? name(*r.transitionDirection) : "none");
    return text;
}

} // namespace

TrackpadSwipeEventTap::TrackpadSwipeEventTap(EventSystem& events, MainQueue& queue)
    : events_(events), queue_(queue),
      debug_(isSwitchValueExactlyOne(Environment::value("TESSARIN_TRACKPAD_SWIPE_DEBUG"))) {}

TrackpadSwipeEventTap::~TrackpadSwipeEventTap() {
    stop();
}

TrackpadSwipeEventTap& TrackpadSwipeEventTap::shared() {
    return Host::current().sharedInstance<TrackpadSwipeEventTap>([](Host& host) {
        return std::make_shared<TrackpadSwipeEventTap>(host.events(), host.queue());
    });
}

bool TrackpadSwipeEventTap::start() {
    eventTap_ = events_.createTap(
        eventMaskBit(EventType::dockGesture),
        [this](uint32_t type, const Event& event) { return handleEvent(type, event); });
    return eventTap_ != nullptr;
}

void TrackpadSwipeEventTap::stop() {
    if (eventTap_) {
        eventTap_->setEnabled(false);
        eventTap_->invalidate();
        eventTap_.reset();
    }
    handler = nullptr;
    gestureActivityHandler = nullptr;
    shadowCGHandler = nullptr;
    contactSnapshot.reset();
    recognizer_.reset();
}

std::optional<Event> TrackpadSwipeEventTap::handleEvent(uint32_t type, const Event& event) {
    if (isDisabledNotice(type)) {
        if (eventTap_) {
            eventTap_->setEnabled(true);
        }
        return event;
    }
    const auto snapshot = TrackpadSwipeEventSnapshot::of(type, event);
    const bool shouldSuppress =
        contactSnapshot &&
        contactSnapshot->matches(fingers(selectedFingerCount), queue_.uptime(), kContactMaximumAge);
    const TrackpadSwipeRecognition recognition = recognizer_.handle(snapshot, shouldSuppress);
    const auto activity = TrackpadSwipeGestureRecognizer::gestureActivity(snapshot);
    if (debug_) {
        logger_.debug(debugLine(snapshot, recognition));
    }
    if (recognition.transitionDirection || (activity && recognition.shouldConsume)) {
        deferHandlers(recognition.transitionDirection, activity, recognition.shouldConsume);
    }
    if (recognition.shouldConsume) {
        return std::nullopt;
    }
    return event;
}

void TrackpadSwipeEventTap::deferHandlers(std::optional<TrackpadSwipeTransitionDirection> direction,
                                          std::optional<TrackpadSwipeGestureActivity> activity,
                                          bool consumed) {
    if (navigationMode != TrackpadRawNavigationMode::shadow) {
        return; // nothing would run: spare the turn
    }
    queue_.async([fingerCount = fingers(selectedFingerCount), reversed = reverseDirection,
                  direction, activity, consumed, onDirection = handler,
                  onActivity = gestureActivityHandler, onSystemSwipe = shadowCGHandler] {
        if (direction) {
            if (onSystemSwipe) {
                onSystemSwipe(fingerCount, *direction);
            }
            if (onDirection) {
                onDirection(tessarinDirection(*direction, reversed));
            }
        }
        if (activity && consumed && onActivity) {
            onActivity(*activity);
        }
    });
}

} // namespace tessarin
