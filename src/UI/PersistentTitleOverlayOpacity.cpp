#include "UI/PersistentTitleOverlayOpacity.h"

namespace tessarin {

template <>
PersistentTitleOverlayOpacity
persisted<PersistentTitleOverlayOpacity>(const UserDefaults& defaults) {
    const auto stored = defaults.object(kPersistentTitleOverlayOpacityKey);
    if (!stored || !stored->isNumber())
        return kDefaultPersistentTitleOverlayOpacity;
    const auto percent = stored->integerValue();
    if (!percent)
        return kDefaultPersistentTitleOverlayOpacity;
    return fromRawValue<PersistentTitleOverlayOpacity>(*percent).value_or(
        kDefaultPersistentTitleOverlayOpacity);
}

} // namespace tessarin
