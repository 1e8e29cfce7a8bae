#include "Model/Settings/PersistentGridOverlayActiveColor.h"

#include "Support/Text.h"

#include <QGuiApplication>
#include <QPalette>
#include <QString>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace tessarin {

namespace {

bool isHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

QColor systemHighlightColor() {
    if (QGuiApplication::instance() != nullptr)
        return QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
    return QPalette().color(QPalette::Active, QPalette::Highlight);
}

int componentByte(float component) {
    const double clamped = std::clamp(static_cast<double>(component), 0.0, 1.0);
    return static_cast<int>(std::lround(clamped * 255.0));
}

} // namespace

std::optional<PersistentGridOverlayActiveColor>
PersistentGridOverlayActiveColor::fromRawValue(std::string_view text) {
    if (isSystemHighlightRawValue(text))
        return PersistentGridOverlayActiveColor{systemHighlightRawValue};
    if (auto normalized = normalizedRawValue(text))
        return PersistentGridOverlayActiveColor{*normalized};
    return std::nullopt;
}

std::optional<std::string>
PersistentGridOverlayActiveColor::normalizedRawValue(std::string_view text) {
    std::string value = trimmingWhitespaceAndNewlines(text);
    std::transform(value.begin(), value.end(), value.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (!value.empty() && value.front() == '#')
        value.erase(0, 1);
    if (value.size() == 6)
        value += "FF";
    if (value.size() != 8 || !std::all_of(value.begin(), value.end(), isHexDigit))
        return std::nullopt;
    return value;
}

bool PersistentGridOverlayActiveColor::isSystemHighlightRawValue(std::string_view text) {
    const QString lowered = QString::fromStdString(lowercased(trimmingWhitespaceAndNewlines(text)));
    QString kept;
    for (const QChar c : lowered) {
        if (c.isLetterOrNumber())
            kept.append(c);
    }
    return kept == QLatin1String("systemhighlight");
}

std::optional<QColor> PersistentGridOverlayActiveColor::colorForRawValue(std::string_view text) {
    const auto normalized = normalizedRawValue(text);
    if (!normalized)
        return std::nullopt;
    const auto v = static_cast<std::uint32_t>(std::stoul(*normalized, nullptr, 16));
    return QColor(static_cast<int>((v >> 24) & 0xFF), static_cast<int>((v >> 16) & 0xFF),
                  static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF));
}

std::optional<std::string> PersistentGridOverlayActiveColor::rawValueForColor(const QColor& color) {
    if (!color.isValid())
        return std::nullopt;
    const QColor rgb = color.toRgb();
    if (!rgb.isValid())
        return std::nullopt;
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "%02X%02X%02X%02X", componentByte(rgb.redF()),
                  componentByte(rgb.greenF()), componentByte(rgb.blueF()),
                  componentByte(rgb.alphaF()));
    return std::string(buffer);
}

std::string PersistentGridOverlayActiveColor::persisted(const UserDefaults& defaults) {
    const auto stored = defaults.stringValue(key);
    if (!stored)
        return fallbackRawValue;
    if (isSystemHighlightRawValue(*stored))
        return systemHighlightRawValue;
    return normalizedRawValue(*stored).value_or(fallbackRawValue);
}

QColor PersistentGridOverlayActiveColor::color() const {
    if (rawValue == systemHighlightRawValue)
        return systemHighlightColor();
    if (auto parsed = colorForRawValue(rawValue))
        return *parsed;
    return *colorForRawValue(fallbackRawValue);
}

} // namespace tessarin
