#include "Platform/StatusBar/KeyEquivalentText.h"

#include "Platform/Input/Event.h"

#include <QList>
#include <QString>
#include <array>
#include <utility>

namespace tessarin {

namespace {

// The keys a menu shows as a glyph or a name, by the character of their key equivalent: the
// arrows and the other function keys of the private-use range, and the control characters.
constexpr std::array<std::pair<char32_t, const char*>, 15> kSpecialKeys{{
    {0xF700, "\u2191"},
    {0xF701, "\u2193"},
    {0xF702, "\u2190"},
    {0xF703, "\u2192"},
    {0xF728, "\u2326"},
    {0xF729, "\u2196"},
    {0xF72B, "\u2198"},
    {0xF72C, "\u21DE"},
    {0xF72D, "\u21DF"},
    {U'\r', "\u21A9"},
    {U'\t', "\u21E5"},
    {U' ', "Space"},
    {U'\b', "\u232B"},
    {0x7F, "\u2326"},
    {0x1B, "\u238B"},
}};

constexpr char32_t kF1 = 0xF704;
constexpr char32_t kF35 = 0xF726;

std::string keyText(const std::string& keyEquivalent) {
    const QString text = QString::fromStdString(keyEquivalent);
    const QList<uint> characters = text.toUcs4();
    if (characters.size() != 1) {
        return text.toUpper().toStdString();
    }
    const char32_t character = characters.front();
    for (const auto& [key, glyph] : kSpecialKeys) {
        if (key == character) {
            return glyph;
        }
    }
    if (character >= kF1 && character <= kF35) {
        return "F" + std::to_string(character - kF1 + 1);
    }
    return text.toUpper().toStdString();
}

} // namespace

std::string keyEquivalentText(const std::string& keyEquivalent, uint64_t modifierMask) {
    if (keyEquivalent.empty()) {
        return {};
    }
    std::string text;
    const std::pair<uint64_t, const char*> modifiers[] = {
        {EventFlags::maskCommand, "\u2318"},
        {EventFlags::maskAlternate, "\u2325"},
        {EventFlags::maskControl, "\u2303"},
        {EventFlags::maskShift, "\u21E7"},
    };
    for (const auto& [flag, glyph] : modifiers) {
        if ((modifierMask & flag) != 0) {
            text += glyph;
        }
    }
    return text + keyText(keyEquivalent);
}

} // namespace tessarin
