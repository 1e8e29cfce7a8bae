#include "UI/Preferences/Display/DisplaySettingsValues.h"

#include "Model/Settings/OSDPreviewTint.h"
#include "Model/Settings/PersistentGridOverlayActiveColor.h"
#include "Model/Settings/PersistentTitleOverlayFont.h"

#include <cmath>

namespace tessarin::DisplaySettingsValues {

namespace {

int rounded(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    return static_cast<int>(std::round(std::clamp(value, -1e6, 1e6)));
}

} // namespace

int opacityPercent(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    return std::clamp(static_cast<int>(std::round(std::clamp(value, -1e6, 1e6) / 10)) * 10, 0, 100);
}

int previewTintPercent(double value) {
    return OSDPreviewTint::normalizedValue(rounded(value));
}

int titleOverlayFontPointSize(double value) {
    return static_cast<int>(PersistentTitleOverlayFont::clampedPointSize(rounded(value)));
}

bool isSystemHighlight(const std::string& rawValue) {
    return rawValue == PersistentGridOverlayActiveColor::systemHighlightRawValue;
}

std::optional<std::string> activeColorForSource(int segment, const std::string& currentRawValue) {
    switch (segment) {
    case 0:
        return isSystemHighlight(currentRawValue)
                   ? std::string(PersistentGridOverlayActiveColor::fallbackRawValue)
                   : currentRawValue;
    case 1:
        return std::string(PersistentGridOverlayActiveColor::systemHighlightRawValue);
    default:
        return std::nullopt;
    }
}

std::string activeColorRawValue(const QColor& color) {
    return PersistentGridOverlayActiveColor::rawValueForColor(color).value_or(
        PersistentGridOverlayActiveColor::fallbackRawValue);
}

QString titleOverlayFontTitle(std::string_view family) {
    const std::string normalized = PersistentTitleOverlayFont::normalizedFamily(family);
    if (normalized == PersistentTitleOverlayFont::systemFamily) {
        return QStringLiteral("System");
    }
    return QString::fromStdString(normalized);
}

} // namespace tessarin::DisplaySettingsValues
