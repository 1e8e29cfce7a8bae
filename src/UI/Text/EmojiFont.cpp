#include "UI/Text/EmojiFont.h"

#include <QFontDatabase>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace tessarin::EmojiFont {

namespace {

constexpr char32_t zeroWidthJoiner = 0x200D;
constexpr char32_t emojiPresentation = 0xFE0F;

bool isPictograph(char32_t code) {
    return code >= 0x1F000 && code <= 0x1FAFF;
}

bool isSkinTone(char32_t code) {
    return code >= 0x1F3FB && code <= 0x1F3FF;
}

} // namespace

std::optional<QString> family() {
    for (const QString& name :
         {QStringLiteral("Noto Color Emoji"), QStringLiteral("Apple Color Emoji"),
          QStringLiteral("Twemoji"), QStringLiteral("Segoe UI Emoji")}) {
        if (QFontDatabase::hasFamily(name)) {
            return name;
        }
    }
    return std::nullopt;
}

std::vector<std::pair<int, int>> sequences(const QString& text) {
    const std::u32string codes = text.toStdU32String();
    std::vector<std::pair<int, int>> found;
    int offset = 0; // in UTF-16 units
    const auto units = [](char32_t code) { return code > 0xFFFF ? 2 : 1; };
    for (std::size_t index = 0; index < codes.size();) {
        if (!isPictograph(codes[index])) {
            offset += units(codes[index]);
            ++index;
            continue;
        }
        const int start = offset;
        offset += units(codes[index]);
        ++index;
        while (index < codes.size()) {
            const char32_t code = codes[index];
            if (code == emojiPresentation || isSkinTone(code)) {
                offset += units(code);
                ++index;
            } else if (code == zeroWidthJoiner && index + 1 < codes.size()) {
                offset += units(code) + units(codes[index + 1]);
                index += 2;
            } else {
                break;
            }
        }
        found.emplace_back(start, offset - start);
    }
    return found;
}

void apply(QTextDocument& document) {
    const auto emoji = family();
    if (!emoji) {
        return;
    }
    QTextCharFormat format;
    format.setFontFamilies(QStringList{*emoji});
    // Merged with other fonts, the sequence's parts that those have too (the male sign) would
    // be taken from them, and the emoji font could not join the sequence.
    format.setFontStyleStrategy(QFont::NoFontMerging);
    for (const auto& [start, length] : sequences(document.toPlainText())) {
        QTextCursor cursor(&document);
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
}

} // namespace tessarin::EmojiFont
