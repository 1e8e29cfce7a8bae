#include "Hotkeys/Trackpad/TrackpadRawShadowValidator.h"

#include "Support/MainQueue.h"

#include <cmath>
#include <cstdio>

namespace tessarin {

namespace {

constexpr double kWindow = 0.15;
constexpr double kRounding = 1e-6;

std::string line(const char* format, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

} // namespace

TrackpadRawShadowValidator::TrackpadRawShadowValidator(MainQueue& queue,
                                                       std::function<double()> uptime)
    : queue_(queue), uptime_(std::move(uptime)) {}

void TrackpadRawShadowValidator::recordRaw(const TrackpadRawSwipeResult& result, double timestamp) {
    if (!result.direction) {
        const std::string reason =
            result.rejectionReason ? rawValue(*result.rejectionReason) : "unknown";
        logger_.notice(line("raw fingerCount=%d direction=none duration=%f cancellation=%s "
                            "agreement=notApplicable",
                            result.fingerCount, result.duration, reason.c_str()));
        return;
    }
    pendingRaw_ = Candidate{result.fingerCount, *result.direction, result.duration, timestamp};
    correlate();
    scheduleExpiry();
}

void TrackpadRawShadowValidator::recordCG(int fingerCount,
                                          TrackpadSwipeTransitionDirection direction,
                                          double timestamp) {
    pendingCG_ = Candidate{fingerCount, direction, 0, timestamp};
    correlate();
    scheduleExpiry();
}

void TrackpadRawShadowValidator::correlate() {
    if (!pendingRaw_ || !pendingCG_ ||
        std::fabs(pendingRaw_->timestamp - pendingCG_->timestamp) > kWindow) {
        return;
    }
    const bool agreement = pendingRaw_->direction == pendingCG_->direction &&
                           pendingRaw_->fingerCount == pendingCG_->fingerCount;
    logger_.notice(line("raw fingerCount=%d direction=%s duration=%f cancellation=none "
                        "agreement=%s",
                        pendingRaw_->fingerCount, name(pendingRaw_->direction),
                        pendingRaw_->duration, agreement ? "true" : "false"));
    pendingRaw_.reset();
    pendingCG_.reset();
}

void TrackpadRawShadowValidator::scheduleExpiry() {
    queue_.asyncAfter(kWindow, [this, alive = alive_] {
        if (*alive) {
            expire();
        }
    });
}

void TrackpadRawShadowValidator::expire() {
    // The check runs one window after its candidate on a clock of rounded seconds: the window's
    // end itself must count, or a candidate left alone would never be logged.
    const double now = uptime_() + kRounding;
    if (pendingRaw_ && now - pendingRaw_->timestamp >= kWindow) {
        logger_.notice(line("raw fingerCount=%d direction=%s duration=%f cancellation=none "
                            "agreement=false reason=noCGMatch",
                            pendingRaw_->fingerCount, name(pendingRaw_->direction),
                            pendingRaw_->duration));
        pendingRaw_.reset();
    }
    if (pendingCG_ && now - pendingCG_->timestamp >= kWindow) {
        logger_.notice(line("cg fingerCount=%d direction=%s duration=unknown cancellation=none "
                            "agreement=false reason=noRawMatch",
                            pendingCG_->fingerCount, name(pendingCG_->direction)));
        pendingCG_.reset();
    }
}

} // namespace tessarin
