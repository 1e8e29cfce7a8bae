#pragma once

#include "Model/Settings/PersistedSetting.h"
#include "Model/Settings/RawValue.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tessarin {

// Opacity settings that take exactly the eleven percentages 0, 10, ..., 100. Each is its own
// enumeration (cases percent0 ... percent100, raw value = the percent); these helpers give them
// one set of rules.

template <class E> constexpr std::array<E, 11> tenPercentStepCases() {
    std::array<E, 11> cases{};
    for (int i = 0; i <= 10; ++i) {
        cases[static_cast<std::size_t>(i)] = static_cast<E>(i * 10);
    }
    return cases;
}

template <class E> std::optional<E> tenPercentStepFromRawValue(std::int64_t raw) {
    if (raw < 0 || raw > 100 || raw % 10 != 0) {
        return std::nullopt;
    }
    return static_cast<E>(raw);
}

// The stored integer when it is one of the eleven percentages; anything else (another number, a
// numeric string, no value) gives `fallback`.
template <class E>
E persistedTenPercentStep(const UserDefaults& defaults, const char* key, E fallback) {
    const auto stored = defaults.object(key);
    if (!stored || !stored->isNumber()) {
        return fallback;
    }
    const auto percent = stored->integerValue();
    if (!percent) {
        return fallback;
    }
    return tenPercentStepFromRawValue<E>(*percent).value_or(fallback);
}

} // namespace tessarin
