#pragma once

#include "Model/Settings/PersistedSetting.h"
#include "Model/Settings/RawValue.h"

#include <array>
#include <string>

namespace tessarin {

// Size of the always-visible grid overlay picture ("persistentGridOverlaySize").
enum class PersistentGridOverlaySize { small, medium, large };

inline std::string rawValue(PersistentGridOverlaySize value) {
    switch (value) {
    case PersistentGridOverlaySize::small:
        return "small";
    case PersistentGridOverlaySize::medium:
        return "medium";
    case PersistentGridOverlaySize::large:
        return "large";
    }
    return {};
}

template <> constexpr auto allCases<PersistentGridOverlaySize>() {
    return std::array{PersistentGridOverlaySize::small, PersistentGridOverlaySize::medium,
                      PersistentGridOverlaySize::large};
}

template <>
inline std::optional<PersistentGridOverlaySize>
fromRawValue<PersistentGridOverlaySize>(std::string_view raw) {
    return caseWithRawValue<PersistentGridOverlaySize>(raw);
}

inline constexpr const char* kPersistentGridOverlaySizeKey = "persistentGridOverlaySize";
inline constexpr PersistentGridOverlaySize kDefaultPersistentGridOverlaySize =
    PersistentGridOverlaySize::medium;

// The stored global value; medium when missing or unknown.
template <>
inline PersistentGridOverlaySize
persisted<PersistentGridOverlaySize>(const UserDefaults& defaults) {
    return persistedCase(defaults, kPersistentGridOverlaySizeKey,
                         kDefaultPersistentGridOverlaySize);
}

} // namespace tessarin
