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

} // namespace tessarin
