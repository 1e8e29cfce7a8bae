#pragma once

#include "Platform/Input/Event.h"
#include "Support/Geometry.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tessarin {

// The Dock-swipe gesture as it travels in events of type `EventType::dockGesture`.
//
// A swipe is a run of events sharing hid type 23: one "began", any number of "changed", and one
// "ended" or "cancelled" (field 132). Horizontal swipes (field 123 = 1) turn the Spaces of the
// display under the event's location; the double field 124 is the signed progress, in Spaces:
// positive towards earlier Spaces (the fingers move left), negative towards later ones; a
// vertical swipe is positive when the fingers move down. The
// Dock acts on the ended event alone, so the run before it only has to be well formed.
//
// The bridge switches a display by posting one complete swipe whose progress is the number of
// Spaces to cross. Its events carry the tag 'TSRN' in the source user data (42) and 33231 in the
// private source tag (41), so the program's own taps can let them pass. The augmented form adds
// the target Space index to the ended event, so the Dock lands there even when an earlier swipe
// of the same display was lost.

inline constexpr int64_t kDockSwipeHIDType = 23;
inline constexpr int64_t kSyntheticEventUserData = 0x5453524E; // 'TSRN'
inline constexpr int64_t kSyntheticEventPrivateSourceTag = 33231;

namespace GesturePhase {
inline constexpr int64_t began = 1;
inline constexpr int64_t changed = 2;
inline constexpr int64_t ended = 4;
inline constexpr int64_t cancelled = 8;
inline constexpr int64_t mayBegin = 128;
} // namespace GesturePhase

namespace GestureSwipeMotion {
inline constexpr int64_t horizontal = 1;
inline constexpr int64_t vertical = 2;
} // namespace GestureSwipeMotion

namespace DockSwipeField {
// Target Space index plus one (0: none), set only by the augmented form.
inline constexpr uint32_t targetSpaceIndex = 136;
} // namespace DockSwipeField

// How switches are posted: plain swipes, or swipes that also name their target (needed from
// operating-system version 27 on).
enum class DockSwitchPostVariant : uint32_t { plain = 0, augmented = 2 };
std::optional<DockSwitchPostVariant> dockSwitchPostVariantFromRawValue(uint32_t rawValue);
inline uint32_t rawValue(DockSwitchPostVariant variant) {
    return static_cast<uint32_t>(variant);
}
DockSwitchPostVariant dockSwitchPostVariant(int operatingSystemMajorVersion);

struct DockSpaceSwitchGesture {
    Point location;                      // window-server point on the display whose Spaces turn
    int64_t steps = 0;                   // Spaces to cross: positive towards later Spaces
    std::optional<uint32_t> targetIndex; // written only by the augmented form
    DockSwitchPostVariant variant = DockSwitchPostVariant::plain;
    friend bool operator==(const DockSpaceSwitchGesture&, const DockSpaceSwitchGesture&) = default;
};

// The began, changed and ended events of one synthetic switch, tagged as the bridge's own.
std::vector<Event> encodeDockSpaceSwitch(const DockSpaceSwitchGesture& gesture);

// One Dock-swipe event as the Dock reads it.
struct DockSwipeEvent {
    int64_t phase = 0;
    int64_t motion = 0;
    double progress = 0;
    Point location;
    bool isSynthetic = false; // tagged as the bridge's own
    std::optional<uint32_t> targetIndex;
    friend bool operator==(const DockSwipeEvent&, const DockSwipeEvent&) = default;
};

// Nothing for an event that is not a Dock swipe (wrong type or hid type).
std::optional<DockSwipeEvent> decodeDockSwipeEvent(const Event& event);
bool isSyntheticDockSwipeEvent(const Event& event);

// Spaces crossed by a horizontal swipe that ended with this progress: positive towards later
// Spaces; a flick shorter than a tenth of a Space crosses none, any longer one at least one.
int64_t dockSwipeSteps(double progress);

} // namespace tessarin
