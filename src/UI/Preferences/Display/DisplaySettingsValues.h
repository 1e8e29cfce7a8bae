#pragma once

#include "Model/Settings/RawValue.h"

#include <QColor>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// How the Display page turns a control's reading into the value it stores, and back. A segment
// or pop-up item stands for the case at its position in the value type's cases.
namespace DisplaySettingsValues {

template <class E> std::optional<E> caseAtIndex(int index) {
    const auto cases = allCases<E>();
    if (index < 0 || static_cast<std::size_t>(index) >= cases.size()) {
        return std::nullopt;
    }
    return cases[static_cast<std::size_t>(index)];
}

template <class E> int indexOfCase(E value) {
    const auto cases = allCases<E>();
    return static_cast<int>(std::find(cases.begin(), cases.end(), value) - cases.begin());
}

// A slider at `value`: the nearest ten per cent, within 0...100.
int opacityPercent(double value);
// The nearest multiple of 5, within 0...100.
int previewTintPercent(double value);
// The nearest whole point size, within 10...96.
int titleOverlayFontPointSize(double value);

// The colour a press on the source control stores: Custom (0) keeps the current colour, or
// takes the default custom colour while the system highlight is current; System Highlight (1)
// stores it; any other segment stores nothing.
std::optional<std::string> activeColorForSource(int segment, const std::string& currentRawValue);
// The stored form of a picked colour; the default custom colour when it has none.
std::string activeColorRawValue(const QColor& color);
bool isSystemHighlight(const std::string& rawValue);

// A font family as the pop-up lists it: "System" for the system font, else its name.
QString titleOverlayFontTitle(std::string_view family);

} // namespace DisplaySettingsValues

} // namespace tessarin
