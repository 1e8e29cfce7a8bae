#pragma once

#include "Hotkeys/Trackpad/TrackpadSwipeTypes.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tessarin {

enum class TrackpadRawSwipeRejectionReason {
    additionalContacts,
    identityChurn,
    tooLong,
    insufficientTravel,
    diagonal,
    incoherentMovement,
    reversal
};
std::string rawValue(TrackpadRawSwipeRejectionReason reason);

struct TrackpadRawSwipeResult {
    int fingerCount = 0;
    std::optional<TrackpadSwipeTransitionDirection> direction; // none for a rejection
    double duration = 0;
    std::optional<TrackpadRawSwipeRejectionReason> rejectionReason; // none for a swipe
    friend bool operator==(const TrackpadRawSwipeResult&, const TrackpadRawSwipeResult&) = default;
};

struct TrackpadRawSwipeUpdate {
    std::optional<TrackpadSwipeGestureActivity> activity;
    std::optional<TrackpadRawSwipeResult> result;
};

// Judges each gesture of the required number of fingers once, when every finger has lifted:
// a swipe in one of four directions, or a rejection with the first reason found. Times are the
// caller's seconds of uptime; distances normalised trackpad units.
class TrackpadRawSwipeRecognizer {
public:
    explicit TrackpadRawSwipeRecognizer(int requiredFingerCount = 3)
        : requiredFingerCount_(requiredFingerCount) {}

    TrackpadRawSwipeUpdate process(const std::vector<TrackpadTouchPoint>& touches,
                                   double timestamp);
    void reset();
    void reset(int requiredFingerCount) {
        requiredFingerCount_ = requiredFingerCount;
        reset();
    }
    int requiredFingerCount() const { return requiredFingerCount_; }
    bool isTracking() const { return startedAt_.has_value(); }

    static std::optional<std::pair<float, float>> centroid(const std::vector<TrackpadTouchPoint>&);

private:
    using Contacts = std::map<int32_t, TrackpadTouchPoint>;
    TrackpadRawSwipeUpdate startOrIgnore(const Contacts& contacts, std::size_t count,
                                         const std::vector<TrackpadTouchPoint>& touches,
                                         double timestamp);
    TrackpadRawSwipeUpdate proceed(const Contacts& contacts, std::size_t count,
                                   const std::vector<TrackpadTouchPoint>& touches,
                                   double timestamp);
    TrackpadRawSwipeResult evaluate(double duration) const;
    std::optional<TrackpadRawSwipeRejectionReason> judgeAxis(bool horizontal, float dx,
                                                             float dy) const;
    void note(TrackpadRawSwipeRejectionReason reason);

    int requiredFingerCount_;
    std::optional<double> startedAt_;
    Contacts initialPositions_;
    Contacts finalPositions_;
    std::set<int32_t> liftedIDs_;
    std::optional<std::pair<float, float>> initialCentroid_;
    float minimumCentroidDeltaX_ = 0;
    float maximumCentroidDeltaX_ = 0;
    float minimumCentroidDeltaY_ = 0;
    float maximumCentroidDeltaY_ = 0;
    std::optional<TrackpadRawSwipeRejectionReason> rejectionReason_;
    bool blockedUntilLift_ = false;
};

} // namespace tessarin
