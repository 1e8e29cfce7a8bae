#include "UI/PersistentGridOverlayOpacity.h"

namespace tessarin {

template <>
PersistentGridOverlayOpacity persisted<PersistentGridOverlayOpacity>(const UserDefaults& defaults) {
    const auto stored = defaults.object(kPersistentGridOverlayOpacityKey);
    if (!stored || !stored->isNumber())
        return kDefaultPersistentGridOverlayOpacity;
    const auto percent = stored->integerValue();
    if (!percent)
        return kDefaultPersistentGridOverlayOpacity;
    return fromRawValue<PersistentGridOverlayOpacity>(*percent).value_or(
        kDefaultPersistentGridOverlayOpacity);
}

} // namespace tessarin
