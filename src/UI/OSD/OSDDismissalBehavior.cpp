#include "UI/OSD/OSDDismissalBehavior.h"

#include "Platform/Input/Event.h"

namespace tessarin {

uint64_t OSDDismissalBehavior::watchedModifierFlags() const {
    if (kind_ != Kind::untilModifiersReleased) {
        return 0;
    }
    return modifierFlags_ & EventFlags::maskShortcutModifiers;
}

bool OSDDismissalBehavior::hidesAfterDisplayTime() const {
    return kind_ == Kind::timer ||
           (kind_ == Kind::untilModifiersReleased && watchedModifierFlags() == 0);
}

} // namespace tessarin
