#include "Hotkeys/Trackpad/TrackpadRawSwipeRecognizer.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessarin {

namespace {

constexpr double kLongestGesture = 1.5;
constexpr float kLeastTravel = 0.08F;
constexpr float kLeastAxisRatio = 1.5F;
constexpr float kLeastFingerTravel = 0.04F;
constexpr float kLargestBacktrack = 0.02F;

} // namespace

std::string rawValue(TrackpadRawSwipeRejectionReason reason) {
    static constexpr std::array<const char*, 7> names{
        "additionalContacts", "identityChurn",      "tooLong", "insufficientTravel",
        "diagonal",           "incoherentMovement", "reversal"};
    return names[static_cast<std::size_t>(reason)];
}

std::optional<std::pair<float, float>>
TrackpadRawSwipeRecognizer::centroid(const std::vector<TrackpadTouchPoint>& points) {
    if (points.empty()) {
        return std::nullopt;
    }
    float x = 0;
    float y = 0;
    for (const TrackpadTouchPoint& point : points) {
        x += point.x;
        y += point.y;
    }
    const auto count = static_cast<float>(points.size());
    return std::pair{x / count, y / count};
}

void TrackpadRawSwipeRecognizer::reset() {
    startedAt_.reset();
    initialPositions_.clear();
    finalPositions_.clear();
    liftedIDs_.clear();
    initialCentroid_.reset();
    minimumCentroidDeltaX_ = maximumCentroidDeltaX_ = 0;
    minimumCentroidDeltaY_ = maximumCentroidDeltaY_ = 0;
    rejectionReason_.reset();
    blockedUntilLift_ = false;
}

void TrackpadRawSwipeRecognizer::note(TrackpadRawSwipeRejectionReason reason) {
    if (!rejectionReason_) {
        rejectionReason_ = reason;
    }
}

TrackpadRawSwipeUpdate
TrackpadRawSwipeRecognizer::process(const std::vector<TrackpadTouchPoint>& touches,
                                    double timestamp) {
    Contacts contacts;
    for (const TrackpadTouchPoint& touch : touches) {
        contacts[touch.id] = touch;
    }
    if (contacts.size() < touches.size()) {
        if (!startedAt_) {
            blockedUntilLift_ = true;
        }
        note(TrackpadRawSwipeRejectionReason::identityChurn);
        return {};
    }
    if (startedAt_) {
        return proceed(contacts, touches.size(), touches, timestamp);
    }
    return startOrIgnore(contacts, touches.size(), touches, timestamp);
}

TrackpadRawSwipeUpdate
TrackpadRawSwipeRecognizer::startOrIgnore(const Contacts& contacts, std::size_t count,
                                          const std::vector<TrackpadTouchPoint>& touches,
                                          double timestamp) {
    const auto required = static_cast<std::size_t>(requiredFingerCount_);
    if (blockedUntilLift_) {
        if (count == 0) {
            reset();
        }
        return {};
    }
    if (count > required) {
        blockedUntilLift_ = true;
        return {};
    }
    if (count < required) {
        return {};
    }
    startedAt_ = timestamp;
    initialPositions_ = finalPositions_ = contacts;
    initialCentroid_ = centroid(touches);
    return {TrackpadSwipeGestureActivity::began, std::nullopt};
}

TrackpadRawSwipeUpdate
TrackpadRawSwipeRecognizer::proceed(const Contacts& contacts, std::size_t count,
                                    const std::vector<TrackpadTouchPoint>& touches,
                                    double timestamp) {
    const double elapsed = timestamp - *startedAt_;
    if (elapsed > kLongestGesture) {
        note(TrackpadRawSwipeRejectionReason::tooLong);
    }
    if (count > static_cast<std::size_t>(requiredFingerCount_)) {
        note(TrackpadRawSwipeRejectionReason::additionalContacts);
    }
    const bool churned = std::any_of(contacts.begin(), contacts.end(), [this](const auto& entry) {
        return !initialPositions_.contains(entry.first) || liftedIDs_.contains(entry.first);
    });
    if (churned) {
        note(TrackpadRawSwipeRejectionReason::identityChurn);
    }
    for (const auto& [id, point] : finalPositions_) {
        if (!liftedIDs_.contains(id) && !contacts.contains(id)) {
            liftedIDs_.insert(id);
        }
    }
    for (const auto& [id, point] : contacts) {
        if (auto found = finalPositions_.find(id); found != finalPositions_.end()) {
            found->second = point;
        }
    }
    if (count == static_cast<std::size_t>(requiredFingerCount_) && initialCentroid_) {
        const auto now = *centroid(touches);
        const float dx = now.first - initialCentroid_->first;
        const float dy = now.second - initialCentroid_->second;
        minimumCentroidDeltaX_ = std::min(minimumCentroidDeltaX_, dx);
        maximumCentroidDeltaX_ = std::max(maximumCentroidDeltaX_, dx);
        minimumCentroidDeltaY_ = std::min(minimumCentroidDeltaY_, dy);
        maximumCentroidDeltaY_ = std::max(maximumCentroidDeltaY_, dy);
    }
    if (count != 0) {
        return {};
    }
    TrackpadRawSwipeResult result = evaluate(elapsed);
    reset();
    return {TrackpadSwipeGestureActivity::ended, result};
}

TrackpadRawSwipeResult TrackpadRawSwipeRecognizer::evaluate(double duration) const {
    TrackpadRawSwipeResult result{requiredFingerCount_, std::nullopt, duration, std::nullopt};
    auto reject = [&result](TrackpadRawSwipeRejectionReason reason) {
        result.rejectionReason = reason;
        return result;
    };
    if (rejectionReason_) {
        return reject(*rejectionReason_);
    }
    if (duration > kLongestGesture) {
        return reject(TrackpadRawSwipeRejectionReason::tooLong);
    }
    std::vector<TrackpadTouchPoint> finals;
    for (const auto& [id, point] : finalPositions_) {
        finals.push_back(point);
    }
    const auto finalCentroid = centroid(finals);
    if (initialPositions_.size() != static_cast<std::size_t>(requiredFingerCount_) ||
        finalPositions_.size() != initialPositions_.size() || !initialCentroid_ || !finalCentroid) {
        return reject(TrackpadRawSwipeRejectionReason::identityChurn);
    }
    const float dx = finalCentroid->first - initialCentroid_->first;
    const float dy = finalCentroid->second - initialCentroid_->second;
    const bool horizontal = std::fabs(dy) <= std::fabs(dx);
    if (const auto reason = judgeAxis(horizontal, dx, dy)) {
        return reject(*reason);
    }
    using D = TrackpadSwipeTransitionDirection;
    result.direction = horizontal ? (dx >= 0 ? D::right : D::left) : (dy > 0 ? D::up : D::down);
    return result;
}

std::optional<TrackpadRawSwipeRejectionReason>
TrackpadRawSwipeRecognizer::judgeAxis(bool horizontal, float dx, float dy) const {
    using R = TrackpadRawSwipeRejectionReason;
    const float major = std::max(std::fabs(dx), std::fabs(dy));
    const float minor = std::min(std::fabs(dx), std::fabs(dy));
    // Also refuses a non-finite travel, which compares false everywhere.
    if (!(major >= kLeastTravel)) {
        return R::insufficientTravel;
    }
    if (minor != 0 && major / minor < kLeastAxisRatio) {
        return R::diagonal;
    }
    const float along = horizontal ? dx : dy;
    const float sense = along >= 0 ? 1.0F : -1.0F;
    for (const auto& [id, start] : initialPositions_) {
        const auto found = finalPositions_.find(id);
        if (found == finalPositions_.end()) {
            return R::identityChurn;
        }
        const float travel = horizontal ? found->second.x - start.x : found->second.y - start.y;
        if (travel * sense < kLeastFingerTravel) {
            return R::incoherentMovement;
        }
    }
    const bool backtracked = horizontal ? (dx >= 0 ? minimumCentroidDeltaX_ < -kLargestBacktrack
                                                   : maximumCentroidDeltaX_ > kLargestBacktrack)
                                        : (dy >= 0 ? minimumCentroidDeltaY_ < -kLargestBacktrack
                                                   : maximumCentroidDeltaY_ > kLargestBacktrack);
    return backtracked ? std::optional(R::reversal) : std::nullopt;
}

} // namespace tessarin
