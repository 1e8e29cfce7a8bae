#pragma once

#include "Hotkeys/Trackpad/TrackpadRawSwipeRecognizer.h"
#include "Support/Logger.h"

#include <functional>
#include <memory>
#include <optional>

namespace tessarin {

class MainQueue;

// Pairs raw recognitions with the system's own swipes that come within 0.15 s of them and logs
// whether they agree; a candidate left alone for 0.15 s is logged unmatched.
class TrackpadRawShadowValidator {
public:
    TrackpadRawShadowValidator(MainQueue& queue, std::function<double()> uptime);
    ~TrackpadRawShadowValidator() { *alive_ = false; }
    TrackpadRawShadowValidator(const TrackpadRawShadowValidator&) = delete;
    TrackpadRawShadowValidator& operator=(const TrackpadRawShadowValidator&) = delete;

    void recordRaw(const TrackpadRawSwipeResult& result, double timestamp);
    void recordCG(int fingerCount, TrackpadSwipeTransitionDirection direction, double timestamp);

private:
    struct Candidate {
        int fingerCount = 0;
        TrackpadSwipeTransitionDirection direction{};
        double duration = 0;
        double timestamp = 0;
    };
    void correlate();
    void scheduleExpiry();
    void expire();

    Logger logger_{"TrackpadRawShadow"};
    MainQueue& queue_;
    std::function<double()> uptime_;
    std::optional<Candidate> pendingRaw_;
    std::optional<Candidate> pendingCG_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace tessarin
