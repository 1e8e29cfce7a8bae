#pragma once

#include "Support/Geometry.h"

#include <vector>

namespace tessarin {

// The standard ease-in-ease-out curve, (0.42, 0) and (0.58, 1): progress 0 ... 1 in, eased
// progress out.
double easeInEaseOut(double progress);

// One animated value over time: values at key times (fractions of the duration), each segment
// either eased or linear. Outside its time the track has no say and the resting value shows.
template <typename Value> struct OSDGridKeyframeTrack {
    std::vector<Value> values;
    std::vector<double> keyTimes;
    std::vector<bool> easedSegments;
    double startTime = 0;
    double duration = 0;

    bool isRunning(double now) const {
        return duration > 0 && now >= startTime && now < startTime + duration;
    }
    Value valueAt(double now) const;
};

Point interpolate(Point from, Point to, double t);
float interpolate(float from, float to, double t);

template <typename Value> Value OSDGridKeyframeTrack<Value>::valueAt(double now) const {
    const double progress = duration > 0 ? (now - startTime) / duration : 1.0;
    std::size_t segment = 0;
    while (segment + 2 < keyTimes.size() && progress >= keyTimes[segment + 1]) {
        ++segment;
    }
    const double begin = keyTimes[segment];
    const double end = keyTimes[segment + 1];
    double local = end > begin ? (progress - begin) / (end - begin) : 1.0;
    local = local < 0 ? 0 : (local > 1 ? 1 : local);
    if (segment < easedSegments.size() && easedSegments[segment]) {
        local = easeInEaseOut(local);
    }
    return interpolate(values[segment], values[segment + 1], local);
}

} // namespace tessarin
