#include "Model/Settings/PersistedSetting.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace tessarin {

namespace {

std::int64_t clampedToInt64(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double lowest = static_cast<double>(std::numeric_limits<std::int64_t>::min());
    constexpr double highest = static_cast<double>(std::numeric_limits<std::int64_t>::max());
    if (value <= lowest)
        return std::numeric_limits<std::int64_t>::min();
    if (value >= highest)
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(value);
}

std::int64_t leadingInteger(const std::string& text) {
    std::size_t index = 0;
    while (index < text.size() && std::isspace(static_cast<unsigned char>(text[index])))
        ++index;
    bool negative = false;
    if (index < text.size() && (text[index] == '+' || text[index] == '-')) {
        negative = text[index] == '-';
        ++index;
    }
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t magnitude = 0;
    for (; index < text.size() && std::isdigit(static_cast<unsigned char>(text[index])); ++index) {
        const int digit = text[index] - '0';
        if (magnitude > (limit - digit) / 10)
            return negative ? std::numeric_limits<std::int64_t>::min() : limit;
        magnitude = magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}

} // namespace

std::int64_t integerValueAsPlatformReads(const PropertyValue& value) {
    if (auto integer = std::get_if<std::int64_t>(&value.storage))
        return *integer;
    if (auto real = std::get_if<double>(&value.storage))
        return clampedToInt64(*real);
    if (auto flag = std::get_if<bool>(&value.storage))
        return *flag ? 1 : 0;
    if (auto text = std::get_if<std::string>(&value.storage))
        return leadingInteger(*text);
    return 0;
}

} // namespace tessarin
