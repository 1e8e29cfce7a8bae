#include "Hotkeys/Trackpad/TrackpadSystemGestureDetector.h"

#include "Platform/Host.h"
#include "Platform/Preferences/Preferences.h"

#include <cmath>
#include <initializer_list>

namespace tessarin {

using Detector = TrackpadSystemGestureDetector;

namespace {

bool anyDomainGivesTheDock(const Detector::IntegerLookup& integerValue,
                           std::initializer_list<const char*> keys) {
    for (const char* domain : {Detector::builtInDomain, Detector::bluetoothDomain}) {
        for (const char* key : keys) {
            if (integerValue(domain, key) == 2) {
                return true;
            }
        }
    }
    return false;
}

// A stored number read as an integer, its fraction cut off. One that no integer holds (not
// finite, out of range) reads as 0, never as the 2 that gives a gesture to the system.
int64_t integerOf(double number) {
    constexpr double kBound = 9.2e18; // inside int64's range on both sides
    return std::isfinite(number) && std::fabs(number) < kBound ? static_cast<int64_t>(number) : 0;
}

template <class Lookup> auto firstOfTrackpads(const Lookup& lookup, const char* key) {
    auto value = lookup(Detector::builtInDomain, key);
    return value ? value : lookup(Detector::bluetoothDomain, key);
}

} // namespace

TrackpadSystemGestureStatus Detector::status(const IntegerLookup& integerValue,
                                             const BooleanLookup& booleanValue) {
    TrackpadSystemGestureStatus status;
    status.leftRight = anyDomainGivesTheDock(integerValue, {"TrackpadThreeFingerHorizSwipeGesture",
                                                            "TrackpadFourFingerHorizSwipeGesture"});
    if (anyDomainGivesTheDock(integerValue, {"TrackpadThreeFingerVertSwipeGesture",
                                             "TrackpadFourFingerVertSwipeGesture"})) {
        status.up = booleanValue(dockDomain, "showMissionControlGestureEnabled").value_or(false);
        status.down = booleanValue(dockDomain, "showAppExposeGestureEnabled").value_or(false);
    }
    status.threeFingerTapAvailable =
        firstOfTrackpads(integerValue, "TrackpadThreeFingerTapGesture") != 2;
    status.threeFingerDragAvailable =
        !firstOfTrackpads(booleanValue, "TrackpadThreeFingerDrag").value_or(false);
    return status;
}

TrackpadSystemGestureStatus Detector::current() {
    Preferences& preferences = Host::current().preferences();
    auto value = [&preferences](const std::string& domain, const std::string& key) {
        return preferences.hasDomain(domain) ? preferences.copyAppValue(key, domain) : std::nullopt;
    };
    return status(
        [&value](const std::string& domain, const std::string& key) -> std::optional<int64_t> {
            const auto stored = value(domain, key);
            if (stored && stored->isNumber()) {
                return stored->isInteger() ? *stored->integerValue()
                                           : integerOf(*stored->doubleValue());
            }
            return std::nullopt;
        },
        [&value](const std::string& domain, const std::string& key) -> std::optional<bool> {
            const auto stored = value(domain, key);
            if (stored && stored->isBool()) {
                return *stored->boolValue();
            }
            if (stored && stored->isNumber()) {
                return (stored->isInteger() ? *stored->integerValue() : *stored->doubleValue()) !=
                       0;
            }
            return std::nullopt;
        });
}

} // namespace tessarin
