#include "Hotkeys/KeyCharacter.h"

#include <QList>
#include <QString>

namespace tessarin {

namespace {

bool isPrintableCategory(QChar::Category category) {
    switch (category) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
    case QChar::Punctuation_Connector:
    case QChar::Punctuation_Dash:
    case QChar::Punctuation_Open:
    case QChar::Punctuation_Close:
    case QChar::Punctuation_InitialQuote:
    case QChar::Punctuation_FinalQuote:
    case QChar::Punctuation_Other:
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<char32_t> firstCodePoint(std::string_view characters) {
    const QList<uint> codePoints =
        QString::fromUtf8(characters.data(), static_cast<qsizetype>(characters.size())).toUcs4();
    if (codePoints.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<char32_t>(codePoints.front());
}

std::optional<KeyCharacter> printableKeyCharacter(std::string_view characters) {
    const auto codePoint = firstCodePoint(characters);
    if (!codePoint || !isPrintableCategory(QChar::category(*codePoint))) {
        return std::nullopt;
    }
    const QString character = QString::fromUcs4(&*codePoint, 1);
    return KeyCharacter{character.toUpper().toStdString(), character.toLower().toStdString()};
}

} // namespace tessarin
