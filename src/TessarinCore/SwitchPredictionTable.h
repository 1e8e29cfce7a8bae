#pragma once

#include "Platform/WindowServerTypes.h"
#include "Support/Clock.h"
#include "TessarinCore/TessarinCore.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace tessarin::bridge {

// Switches posted but perhaps not yet done, one per display list: for a short while after a
// switch is posted, readers show its target as the current Space. Times are the caller's clock
// (the main queue's uptime). Safe from any thread.
class SwitchPredictionTable {
public:
    static constexpr TimeInterval kLifetime = 1.0;

    struct Prediction {
        uint32_t targetIndex = 0;
        SpaceID targetSpaceID = 0;
        TimeInterval postedAt = 0;
        friend bool operator==(const Prediction&, const Prediction&) = default;
    };

    void record(const std::string& displayIdentifier, uint32_t targetIndex, SpaceID targetSpaceID,
                TimeInterval now);
    // The display's prediction while it lasts; an expired one is dropped. One recorded after
    // `now` was read (by a switch that won the lock) counts as current.
    std::optional<Prediction> prediction(const std::string& displayIdentifier, TimeInterval now);
    void clear(const std::string& displayIdentifier);
    void reset();
    std::size_t size() const;

    // The live information with the prediction applied. A prediction whose Space is no longer in
    // the list counts for nothing.
    TessarinSpaceInfo apply(const std::string& displayIdentifier, const TessarinSpaceInfo& live,
                            const ManagedDisplaySpaces& entry, TimeInterval now);

private:
    mutable std::mutex mutex_;
    std::map<std::string, Prediction> predictions_;
};

} // namespace tessarin::bridge
