#pragma once

#include <cstdint>

namespace tessarin {

// How a shown grid goes away: when the held modifier keys are released, after the configured
// display time, or only when something hides it.
class OSDDismissalBehavior {
public:
    enum class Kind { untilModifiersReleased, timer, manual };

    // `modifierFlags` are event modifier flags; only Shift, Control, Option and Command are
    // watched, and without any of them the grid hides on its timer.
    static OSDDismissalBehavior untilModifiersReleased(uint64_t modifierFlags) {
        return OSDDismissalBehavior(Kind::untilModifiersReleased, modifierFlags);
    }
    static OSDDismissalBehavior timer() { return OSDDismissalBehavior(Kind::timer, 0); }
    static OSDDismissalBehavior manual() { return OSDDismissalBehavior(Kind::manual, 0); }

    Kind kind() const { return kind_; }
    // The flags given to `untilModifiersReleased`, as given; 0 for the other cases.
    uint64_t modifierFlags() const { return modifierFlags_; }
    // The Shift, Control, Option and Command flags that must stay held.
    uint64_t watchedModifierFlags() const;
    // True for `timer`, and for `untilModifiersReleased` without a watched modifier.
    bool hidesAfterDisplayTime() const;

    friend bool operator==(const OSDDismissalBehavior&, const OSDDismissalBehavior&) = default;

private:
    OSDDismissalBehavior(Kind kind, uint64_t modifierFlags)
        : kind_(kind), modifierFlags_(modifierFlags) {}

    Kind kind_;
    uint64_t modifierFlags_;
};

} // namespace tessarin
