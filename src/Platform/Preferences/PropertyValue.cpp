#include "Platform/Preferences/PropertyValue.h"

#include "Support/JsonNesting.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <ostream>

namespace tessarin {
namespace {

constexpr const char* kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int base64Digit(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    if (c == '/') {
        return 63;
    }
    return -1;
}

PropertyValueParseResult failure(std::string error) {
    return {std::nullopt, std::move(error)};
}

PropertyValueParseResult success(PropertyValue value) {
    return {std::move(value), {}};
}

std::string memberPath(const std::string& key) {
    return "[\"" + key + "\"]";
}

// Prefixes a nested error with where it happened.
PropertyValueParseResult nested(PropertyValueParseResult inner, const std::string& where) {
    if (!inner.value) {
        inner.error = where + (inner.error.rfind('[', 0) == 0 ? "" : ": ") + inner.error;
    }
    return inner;
}

// Values nest no deeper than any JSON text the program reads, so that a tree built in memory
// cannot run the recursive readers below off the stack.
bool tooDeep(std::size_t depth) {
    return depth > kMaxJsonNesting;
}

PropertyValueParseResult tooDeepFailure() {
    return failure("nested deeper than " + std::to_string(kMaxJsonNesting) + " levels");
}

std::optional<int64_t> jsonInteger(const nlohmann::json& json) {
    if (json.is_number_unsigned()) {
        auto value = json.get<uint64_t>();
        if (value > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) {
            return std::nullopt;
        }
        return static_cast<int64_t>(value);
    }
    if (json.is_number_integer()) {
        return json.get<int64_t>();
    }
    return std::nullopt;
}

PropertyValueParseResult parseTagged(const nlohmann::json& json, std::size_t depth);

PropertyValueParseResult parseTaggedArray(const nlohmann::json& json, std::size_t depth) {
    if (!json.is_array()) {
        return failure("\"array\" must hold a JSON array");
    }
    PropertyArray array;
    for (std::size_t i = 0; i < json.size(); ++i) {
        auto element = nested(parseTagged(json[i], depth + 1), jsonIndexStep(i));
        if (!element.value) {
            return element;
        }
        array.push_back(std::move(*element.value));
    }
    return success(std::move(array));
}

PropertyValueParseResult parseTaggedDictionary(const nlohmann::json& json, std::size_t depth) {
    if (!json.is_object()) {
        return failure("\"dictionary\" must hold a JSON object");
    }
    PropertyDictionary dictionary;
    for (const auto& [key, member] : json.items()) {
        auto value = nested(parseTagged(member, depth + 1), memberPath(key));
        if (!value.value) {
            return value;
        }
        dictionary.emplace(key, std::move(*value.value));
    }
    return success(std::move(dictionary));
}

PropertyValueParseResult parseTagged(const nlohmann::json& json, std::size_t depth) {
    if (tooDeep(depth)) {
        return tooDeepFailure();
    }
    if (!json.is_object() || json.size() != 1) {
        return failure("a value must be an object with one type member, found " +
                       std::string(json.type_name()));
    }
    const std::string tag = json.begin().key();
    const nlohmann::json& payload = json.begin().value();
    if (tag == "bool") {
        if (!payload.is_boolean()) {
            return failure("\"bool\" must hold true or false");
        }
        return success(payload.get<bool>());
    }
    if (tag == "integer") {
        auto value = jsonInteger(payload);
        if (!value) {
            return failure("\"integer\" must hold a 64-bit integer");
        }
        return success(*value);
    }
    if (tag == "double") {
        if (payload == "nan") {
            return success(std::numeric_limits<double>::quiet_NaN());
        }
        if (payload == "inf" || payload == "-inf") {
            double infinity = std::numeric_limits<double>::infinity();
            return success(payload == "inf" ? infinity : -infinity);
        }
        if (!payload.is_number()) {
            return failure("\"double\" must hold a number");
        }
        return success(payload.get<double>());
    }
    if (tag == "string") {
        if (!payload.is_string()) {
            return failure("\"string\" must hold a string");
        }
        return success(payload.get<std::string>());
    }
    if (tag == "data") {
        auto data = payload.is_string() ? base64Decode(payload.get<std::string>()) : std::nullopt;
        if (!data) {
            return failure("\"data\" must hold base64 text");
        }
        return success(std::move(*data));
    }
    if (tag == "array") {
        return parseTaggedArray(payload, depth);
    }
    if (tag == "dictionary") {
        return parseTaggedDictionary(payload, depth);
    }
    return failure("unknown value type \"" + tag + "\"");
}

} // namespace

std::optional<bool> PropertyValue::boolValue() const {
    if (auto v = std::get_if<bool>(&storage)) {
        return *v;
    }
    return std::nullopt;
}

std::optional<int64_t> PropertyValue::integerValue() const {
    if (auto v = std::get_if<int64_t>(&storage)) {
        return *v;
    }
    if (auto v = std::get_if<double>(&storage)) {
        // Only integral doubles that fit: a cast of anything else is undefined or lossy.
        if (std::isfinite(*v) && std::trunc(*v) == *v && *v >= -9223372036854775808.0 &&
            *v < 9223372036854775808.0) {
            return static_cast<int64_t>(*v);
        }
    }
    return std::nullopt;
}

std::optional<double> PropertyValue::doubleValue() const {
    if (auto v = std::get_if<double>(&storage)) {
        return *v;
    }
    if (auto v = std::get_if<int64_t>(&storage)) {
        return static_cast<double>(*v);
    }
    return std::nullopt;
}

std::optional<std::string> PropertyValue::stringValue() const {
    if (auto v = std::get_if<std::string>(&storage)) {
        return *v;
    }
    return std::nullopt;
}

std::optional<Data> PropertyValue::dataValue() const {
    if (auto v = std::get_if<Data>(&storage)) {
        return *v;
    }
    return std::nullopt;
}

std::optional<PropertyArray> PropertyValue::arrayValue() const {
    if (auto v = std::get_if<PropertyArray>(&storage)) {
        return *v;
    }
    return std::nullopt;
}

std::optional<PropertyDictionary> PropertyValue::dictionaryValue() const {
    if (auto v = std::get_if<PropertyDictionary>(&storage)) {
        return *v;
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> PropertyValue::stringArrayValue() const {
    const auto* elements = array();
    if (!elements) {
        return std::nullopt;
    }
    std::vector<std::string> strings;
    for (const auto& element : *elements) {
        const auto* text = std::get_if<std::string>(&element.storage);
        if (!text) {
            return std::nullopt;
        }
        strings.push_back(*text);
    }
    return strings;
}

const PropertyValue* PropertyValue::member(const std::string& key) const {
    const auto* members = dictionary();
    if (!members) {
        return nullptr;
    }
    auto it = members->find(key);
    return it == members->end() ? nullptr : &it->second;
}

const char* PropertyValue::typeName() const {
    static constexpr const char* names[] = {"bool", "integer", "double",    "string",
                                            "data", "array",   "dictionary"};
    return names[storage.index()];
}

bool nestsDeeperThan(const PropertyValue& value, std::size_t levels) {
    if (levels == 0) {
        return true;
    }
    const auto deeper = [levels](const PropertyValue& inner) {
        return nestsDeeperThan(inner, levels - 1);
    };
    if (const PropertyArray* array = value.array()) {
        return std::any_of(array->begin(), array->end(), deeper);
    }
    if (const PropertyDictionary* dictionary = value.dictionary()) {
        return std::any_of(dictionary->begin(), dictionary->end(),
                           [&](const auto& member) { return deeper(member.second); });
    }
    return false;
}

nlohmann::json toTaggedJson(const PropertyValue& value) {
    return std::visit(
        [](const auto& v) -> nlohmann::json {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, bool>) {
                return {{"bool", v}};
            } else if constexpr (std::is_same_v<T, int64_t>) {
                return {{"integer", v}};
            } else if constexpr (std::is_same_v<T, double>) {
                // JSON has no infinities or NaN; they are written as text so they read back.
                if (std::isnan(v)) {
                    return {{"double", "nan"}};
                }
                if (std::isinf(v)) {
                    return {{"double", v > 0 ? "inf" : "-inf"}};
                }
                return {{"double", v}};
            } else if constexpr (std::is_same_v<T, std::string>) {
                return {{"string", v}};
            } else if constexpr (std::is_same_v<T, Data>) {
                return {{"data", base64Encode(v)}};
            } else if constexpr (std::is_same_v<T, PropertyArray>) {
                auto array = nlohmann::json::array();
                for (const auto& element : v) {
                    array.push_back(toTaggedJson(element));
                }
                return {{"array", std::move(array)}};
            } else {
                auto object = nlohmann::json::object();
                for (const auto& [key, member] : v) {
                    object[key] = toTaggedJson(member);
                }
                return {{"dictionary", std::move(object)}};
            }
        },
        value.storage);
}

PropertyValueParseResult fromTaggedJson(const nlohmann::json& json) {
    return parseTagged(json, 1);
}

nlohmann::json toPlainJson(const PropertyValue& value) {
    return std::visit(
        [](const auto& v) -> nlohmann::json {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Data>) {
                return base64Encode(v);
            } else if constexpr (std::is_same_v<T, PropertyArray>) {
                auto array = nlohmann::json::array();
                for (const auto& element : v) {
                    array.push_back(toPlainJson(element));
                }
                return array;
            } else if constexpr (std::is_same_v<T, PropertyDictionary>) {
                auto object = nlohmann::json::object();
                for (const auto& [key, member] : v) {
                    object[key] = toPlainJson(member);
                }
                return object;
            } else {
                return nlohmann::json(v);
            }
        },
        value.storage);
}

namespace {

PropertyValueParseResult parsePlain(const nlohmann::json& json, std::size_t depth) {
    if (tooDeep(depth)) {
        return tooDeepFailure();
    }
    switch (json.type()) {
    case nlohmann::json::value_t::boolean:
        return success(json.get<bool>());
    case nlohmann::json::value_t::number_integer:
    case nlohmann::json::value_t::number_unsigned: {
        auto value = jsonInteger(json);
        if (!value) {
            return failure("integer " + json.dump() + " is out of the 64-bit range");
        }
        return success(*value);
    }
    case nlohmann::json::value_t::number_float:
        return success(json.get<double>());
    case nlohmann::json::value_t::string:
        return success(json.get<std::string>());
    case nlohmann::json::value_t::array: {
        PropertyArray array;
        for (std::size_t i = 0; i < json.size(); ++i) {
            auto element = nested(parsePlain(json[i], depth + 1), jsonIndexStep(i));
            if (!element.value) {
                return element;
            }
            array.push_back(std::move(*element.value));
        }
        return success(std::move(array));
    }
    case nlohmann::json::value_t::object: {
        PropertyDictionary dictionary;
        for (const auto& [key, member] : json.items()) {
            auto value = nested(parsePlain(member, depth + 1), memberPath(key));
            if (!value.value) {
                return value;
            }
            dictionary.emplace(key, std::move(*value.value));
        }
        return success(std::move(dictionary));
    }
    default:
        return failure(std::string(json.type_name()) + " is not a preference value");
    }
}

} // namespace

PropertyValueParseResult fromPlainJson(const nlohmann::json& json) {
    return parsePlain(json, 1);
}

std::ostream& operator<<(std::ostream& stream, const PropertyValue& value) {
    return stream << toTaggedJson(value).dump();
}

std::string base64Encode(const Data& data) {
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < data.size(); i += 3) {
        uint32_t n = (uint32_t(data[i]) << 16) | (uint32_t(data[i + 1]) << 8) | data[i + 2];
        out += kBase64Alphabet[(n >> 18) & 63];
        out += kBase64Alphabet[(n >> 12) & 63];
        out += kBase64Alphabet[(n >> 6) & 63];
        out += kBase64Alphabet[n & 63];
    }
    std::size_t rest = data.size() - i;
    if (rest == 1) {
        uint32_t n = uint32_t(data[i]) << 16;
        out += kBase64Alphabet[(n >> 18) & 63];
        out += kBase64Alphabet[(n >> 12) & 63];
        out += "==";
    } else if (rest == 2) {
        uint32_t n = (uint32_t(data[i]) << 16) | (uint32_t(data[i + 1]) << 8);
        out += kBase64Alphabet[(n >> 18) & 63];
        out += kBase64Alphabet[(n >> 12) & 63];
        out += kBase64Alphabet[(n >> 6) & 63];
        out += '=';
    }
    return out;
}

std::optional<Data> base64Decode(const std::string& text) {
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    Data out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        int digits[4];
        int padding = 0;
        for (int k = 0; k < 4; ++k) {
            char c = text[i + k];
            bool last = i + 4 == text.size();
            if (c == '=' && last && k >= 2 && (k == 3 || text[i + 3] == '=')) {
                digits[k] = 0;
                ++padding;
                continue;
            }
            if (padding > 0) {
                return std::nullopt;
            }
            digits[k] = base64Digit(c);
            if (digits[k] < 0) {
                return std::nullopt;
            }
        }
        uint32_t n = (uint32_t(digits[0]) << 18) | (uint32_t(digits[1]) << 12) |
                     (uint32_t(digits[2]) << 6) | uint32_t(digits[3]);
        out.push_back(static_cast<uint8_t>(n >> 16));
        if (padding < 2) {
            out.push_back(static_cast<uint8_t>((n >> 8) & 0xFF));
        }
        if (padding < 1) {
            out.push_back(static_cast<uint8_t>(n & 0xFF));
        }
    }
    return out;
}

} // namespace tessarin
