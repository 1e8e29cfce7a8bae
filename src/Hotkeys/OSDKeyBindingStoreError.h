#pragma once

#include "Hotkeys/OSDKeyBindingAction.h"

namespace tessarin {

// Why a grid key was refused.
struct OSDKeyBindingStoreError {
    enum class Kind {
        alreadyAssigned,     // another action already uses the key
        unusableKey,         // the key shows no text
        modifiersNotAllowed, // grid keys are plain keys
    };

    Kind kind = Kind::unusableKey;
    // The action that holds the key, for `alreadyAssigned`.
    OSDKeyBindingAction otherAction = OSDKeyBindingAction::hide;

    static OSDKeyBindingStoreError alreadyAssigned(OSDKeyBindingAction other) {
        return {Kind::alreadyAssigned, other};
    }
    static OSDKeyBindingStoreError unusableKey() { return {Kind::unusableKey}; }
    static OSDKeyBindingStoreError modifiersNotAllowed() { return {Kind::modifiersNotAllowed}; }

    friend bool operator==(const OSDKeyBindingStoreError&,
                           const OSDKeyBindingStoreError&) = default;
};

} // namespace tessarin
