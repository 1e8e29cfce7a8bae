#include "Support/Text.h"

#include <QString>

namespace tessarin {

namespace {
QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toStd(const QString& text) {
    return text.toUtf8().toStdString();
}

bool isLineBreak(QChar c) {
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == 0x0B || u == 0x0C || u == 0x85 || u == 0x2028 ||
           u == 0x2029;
}

// The length of the valid UTF-8 sequence of a printable character at the start of `text`; 0
// when there is none.
std::size_t printableSequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return lead >= 0x20 && lead != 0x7F ? 1 : 0;
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() < length) {
        return 0;
    }
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i) & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid =
        code >= smallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return valid && (code < 0x80 || code > 0x9F) ? length : 0;
}

template <typename Predicate> std::string trimmed(std::string_view text, Predicate shouldTrim) {
    const QString value = toQString(text);
    qsizetype start = 0;
    qsizetype end = value.size();
    while (start < end && shouldTrim(value.at(start))) {
        ++start;
    }
    while (end > start && shouldTrim(value.at(end - 1))) {
        --end;
    }
    return toStd(value.mid(start, end - start));
}
} // namespace

std::string trimmingWhitespaceAndNewlines(std::string_view text) {
    return trimmed(text, [](QChar c) { return c.isSpace(); });
}

std::string trimmingWhitespace(std::string_view text) {
    return trimmed(text, [](QChar c) { return c.isSpace() && !isLineBreak(c); });
}

std::string collapsingWhitespace(std::string_view text) {
    return toStd(toQString(text).simplified());
}

std::string lowercased(std::string_view text) {
    return toStd(toQString(text).toLower());
}

bool isBlank(std::string_view text) {
    return trimmingWhitespaceAndNewlines(text).empty();
}

std::string escapingUnprintable(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(text.size());
    while (!text.empty()) {
        std::size_t length = printableSequenceLength(text);
        if (length > 0) {
            result.append(text.substr(0, length));
        } else {
            const auto value = static_cast<unsigned char>(text.front());
            result += {'\\', 'x', hex[value >> 4], hex[value & 0xF]};
            length = 1;
        }
        text.remove_prefix(length);
    }
    return result;
}

} // namespace tessarin
