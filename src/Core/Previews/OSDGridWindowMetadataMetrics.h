#pragma once

#include <cstdint>

namespace tessarin {

// Counters of one window metadata refresh.
struct OSDGridWindowMetadataMetrics {
    int64_t totalWindowCount = 0;
    int64_t eligibleWindowCount = 0;
    int64_t mappedWindowCount = 0;
    int64_t previewCandidateWindowCount = 0;
    int64_t previewExcludedMultiSpaceWindowCount = 0;
    int64_t spaceIDCacheHits = 0;
    int64_t spaceIDCacheMisses = 0;
    int64_t applicationInfoLookups = 0;
    friend bool operator==(const OSDGridWindowMetadataMetrics&,
                           const OSDGridWindowMetadataMetrics&) = default;
};

} // namespace tessarin
