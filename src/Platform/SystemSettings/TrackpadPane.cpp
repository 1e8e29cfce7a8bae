#include "Platform/SystemSettings/TrackpadPane.h"

#include "Platform/Preferences/Preferences.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

namespace {

constexpr const char* kThreeHorizontal = "TrackpadThreeFingerHorizSwipeGesture";
constexpr const char* kFourHorizontal = "TrackpadFourFingerHorizSwipeGesture";
constexpr const char* kThreeVertical = "TrackpadThreeFingerVertSwipeGesture";
constexpr const char* kFourVertical = "TrackpadFourFingerVertSwipeGesture";
constexpr const char* kThreeTap = "TrackpadThreeFingerTapGesture";
constexpr const char* kThreeDrag = "TrackpadThreeFingerDrag";
// The value that gives a gesture to the system; 0 turns it off.
constexpr int kGivenToSystem = 2;

const char* const kTrackpadDomains[] = {TrackpadPane::kBuiltInDomain,
                                        TrackpadPane::kBluetoothDomain};

std::optional<double> numberOf(const std::optional<PropertyValue>& value) {
    if (!value || !value->isNumber()) {
        return std::nullopt;
    }
    return value->doubleValue();
}

} // namespace

TrackpadPane::TrackpadPane(Preferences& preferences) : preferences_(preferences) {}

// Either trackpad's 2 gives the gesture to the system; a fraction is cut off, as the system
// reads it.
bool TrackpadPane::givesSystem(const char* key) const {
    return std::ranges::any_of(kTrackpadDomains, [&](const char* domain) {
        const auto number = numberOf(preferences_.copyAppValue(key, domain));
        return number && std::trunc(*number) == kGivenToSystem;
    });
}

std::optional<bool> TrackpadPane::flag(const char* domain, const char* key) const {
    const auto value = preferences_.copyAppValue(key, domain);
    if (value && value->isBool()) {
        return value->boolValue();
    }
    if (const auto number = numberOf(value)) {
        return *number != 0;
    }
    return std::nullopt;
}

TrackpadGestureFingers TrackpadPane::swipeFingers(const char* threeKey, const char* fourKey) const {
    if (givesSystem(threeKey)) {
        return TrackpadGestureFingers::three;
    }
    return givesSystem(fourKey) ? TrackpadGestureFingers::four : TrackpadGestureFingers::off;
}

TrackpadGestureFingers TrackpadPane::fingers(TrackpadGesture gesture) const {
    using enum TrackpadGestureFingers;
    switch (gesture) {
    case TrackpadGesture::fullScreenSwipe:
        return swipeFingers(kThreeHorizontal, kFourHorizontal);
    case TrackpadGesture::missionControlSwipe:
        return flag(kDockDomain, kMissionControlKey).value_or(false)
                   ? swipeFingers(kThreeVertical, kFourVertical)
                   : off;
    case TrackpadGesture::appExposeSwipe:
        return flag(kDockDomain, kAppExposeKey).value_or(false)
                   ? swipeFingers(kThreeVertical, kFourVertical)
                   : off;
    case TrackpadGesture::lookUpTap: {
        // The built-in trackpad's setting counts first, as the system reads it.
        for (const char* domain : kTrackpadDomains) {
            if (const auto number = numberOf(preferences_.copyAppValue(kThreeTap, domain))) {
                return std::trunc(*number) == kGivenToSystem ? three : off;
            }
        }
        return off;
    }
    case TrackpadGesture::threeFingerDrag:
        for (const char* domain : kTrackpadDomains) {
            if (const auto on = flag(domain, kThreeDrag)) {
                return *on ? three : off;
            }
        }
        return off;
    }
    return off;
}

std::vector<TrackpadPaneEntry> TrackpadPane::entries() const {
    std::vector<TrackpadPaneEntry> result;
    for (const TrackpadGesture gesture :
         {TrackpadGesture::fullScreenSwipe, TrackpadGesture::missionControlSwipe,
          TrackpadGesture::appExposeSwipe, TrackpadGesture::lookUpTap,
          TrackpadGesture::threeFingerDrag}) {
        result.push_back({gesture, nameOf(gesture), fingers(gesture)});
    }
    return result;
}

std::vector<TrackpadGestureFingers> TrackpadPane::choices(TrackpadGesture gesture) {
    using enum TrackpadGestureFingers;
    if (gesture == TrackpadGesture::lookUpTap || gesture == TrackpadGesture::threeFingerDrag) {
        return {off, three};
    }
    return {off, three, four};
}

std::string TrackpadPane::nameOf(TrackpadGesture gesture) {
    switch (gesture) {
    case TrackpadGesture::fullScreenSwipe:
        return "Swipe between full-screen applications";
    case TrackpadGesture::missionControlSwipe:
        return "Mission Control";
    case TrackpadGesture::appExposeSwipe:
        return "App Exposé";
    case TrackpadGesture::lookUpTap:
        return "Look up & data detectors";
    case TrackpadGesture::threeFingerDrag:
        return "Three-finger drag";
    }
    return {};
}

void TrackpadPane::writeTrackpads(const char* key, int value) {
    for (const char* domain : kTrackpadDomains) {
        preferences_.setAppValue(key, PropertyValue(value), domain);
    }
}

void TrackpadPane::writeSwipeFingers(const char* threeKey, const char* fourKey,
                                     TrackpadGestureFingers fingers) {
    writeTrackpads(threeKey, fingers == TrackpadGestureFingers::three ? kGivenToSystem : 0);
    writeTrackpads(fourKey, fingers == TrackpadGestureFingers::four ? kGivenToSystem : 0);
}

// Up and down share their fingers: choosing them for one moves the other, which stays on; the
// swipes leave the trackpads only when both are off.
void TrackpadPane::setVerticalSwipe(const char* dockKey, const char* otherDockKey,
                                    TrackpadGestureFingers fingers) {
    const bool on = fingers != TrackpadGestureFingers::off;
    preferences_.setAppValue(dockKey, PropertyValue(on), kDockDomain);
    if (on) {
        writeSwipeFingers(kThreeVertical, kFourVertical, fingers);
    } else if (!flag(kDockDomain, otherDockKey).value_or(false)) {
        writeSwipeFingers(kThreeVertical, kFourVertical, TrackpadGestureFingers::off);
    }
}

bool TrackpadPane::setFingers(TrackpadGesture gesture, TrackpadGestureFingers fingers) {
    const auto offered = choices(gesture);
    if (std::ranges::find(offered, fingers) == offered.end()) {
        return false;
    }
    const bool on = fingers != TrackpadGestureFingers::off;
    switch (gesture) {
    case TrackpadGesture::fullScreenSwipe:
        writeSwipeFingers(kThreeHorizontal, kFourHorizontal, fingers);
        break;
    case TrackpadGesture::missionControlSwipe:
        setVerticalSwipe(kMissionControlKey, kAppExposeKey, fingers);
        break;
    case TrackpadGesture::appExposeSwipe:
        setVerticalSwipe(kAppExposeKey, kMissionControlKey, fingers);
        break;
    case TrackpadGesture::lookUpTap:
        writeTrackpads(kThreeTap, on ? kGivenToSystem : 0);
        break;
    case TrackpadGesture::threeFingerDrag:
        for (const char* domain : kTrackpadDomains) {
            preferences_.setAppValue(kThreeDrag, PropertyValue(on), domain);
        }
        break;
    }
    for (const char* domain : {kBuiltInDomain, kBluetoothDomain, kDockDomain}) {
        preferences_.appSynchronize(domain);
    }
    return true;
}

} // namespace tessarin
