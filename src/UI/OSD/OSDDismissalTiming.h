#pragma once

namespace tessarin {

// How long a timed grid stays and how long it fades, in seconds, from "osdDurationMs".
struct OSDDismissalTiming {
    double totalDuration = 1;
    double visibleDuration = 0.8;
    double fadeDuration = 0.2;

    // An absent or non-integer value counts as 1000 ms; a negative one as well, as the
    // start-up normalisation leaves it.
    static OSDDismissalTiming fromStoredDuration();
    static OSDDismissalTiming fromMilliseconds(long long milliseconds);
};

} // namespace tessarin
