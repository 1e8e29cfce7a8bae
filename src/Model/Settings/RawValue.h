#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessarin {

// Enumerations stored by raw value specialise these next to their declaration:
//   fromRawValue<GridWrapStyle>("snake"), fromRawValue<GridColumnCount>(1),
//   allCases<OSDPlacement>().
// `rawValue(e)` is a plain overload per enumeration. A raw value that names no case gives nothing.
template <class E> std::optional<E> fromRawValue(std::string_view rawValue);
template <class E> std::optional<E> fromRawValue(std::int64_t rawValue);

// Every case in declaration order (the order of segments and pop-up items that edit the value).
template <class E> constexpr auto allCases();

// The case whose raw value equals `raw`, searched in declaration order.
template <class E, class Raw> std::optional<E> caseWithRawValue(const Raw& raw) {
    for (E candidate : allCases<E>()) {
        if (rawValue(candidate) == raw)
            return candidate;
    }
    return std::nullopt;
}

} // namespace tessarin
