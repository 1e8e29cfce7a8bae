#include "TessarinCore/SwitchPredictionTable.h"

#include "TessarinCore/SpaceLayout.h"

namespace tessarin::bridge {

void SwitchPredictionTable::record(const std::string& displayIdentifier, uint32_t targetIndex,
                                   SpaceID targetSpaceID, TimeInterval now) {
    std::lock_guard lock(mutex_);
    predictions_[displayIdentifier] = Prediction{targetIndex, targetSpaceID, now};
}

std::optional<SwitchPredictionTable::Prediction>
SwitchPredictionTable::prediction(const std::string& displayIdentifier, TimeInterval now) {
    std::lock_guard lock(mutex_);
    const auto found = predictions_.find(displayIdentifier);
    if (found == predictions_.end()) {
        return std::nullopt;
    }
    // Readers take their clock before the lock, so a prediction may be younger than `now`:
    // it is the newest there is, not a stale one.
    const TimeInterval age = now - found->second.postedAt;
    if (age >= kLifetime) {
        predictions_.erase(found);
        return std::nullopt;
    }
    return found->second;
}

void SwitchPredictionTable::clear(const std::string& displayIdentifier) {
    std::lock_guard lock(mutex_);
    predictions_.erase(displayIdentifier);
}

void SwitchPredictionTable::reset() {
    std::lock_guard lock(mutex_);
    predictions_.clear();
}

std::size_t SwitchPredictionTable::size() const {
    std::lock_guard lock(mutex_);
    return predictions_.size();
}

TessarinSpaceInfo SwitchPredictionTable::apply(const std::string& displayIdentifier,
                                               const TessarinSpaceInfo& live,
                                               const ManagedDisplaySpaces& entry,
                                               TimeInterval now) {
    const auto predicted = prediction(displayIdentifier, now);
    if (!predicted) {
        return live;
    }
    const auto index = indexOfSpace(entry, predicted->targetSpaceID);
    if (!index) {
        return live;
    }
    return TessarinSpaceInfo{*index, live.spaceCount, predicted->targetSpaceID};
}

} // namespace tessarin::bridge
