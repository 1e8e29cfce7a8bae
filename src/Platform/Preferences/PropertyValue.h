#pragma once

#include <concepts>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tessarin {

using Data = std::vector<uint8_t>;

struct PropertyValue;
using PropertyArray = std::vector<PropertyValue>;
using PropertyDictionary = std::map<std::string, PropertyValue>;

// A typed preference value: bool, integer, double, string, data, array or dictionary. The type a
// value was stored with is the type it reads back with.
struct PropertyValue {
    using Storage =
        std::variant<bool, int64_t, double, std::string, Data, PropertyArray, PropertyDictionary>;

    Storage storage = false;

    PropertyValue() = default;
    PropertyValue(bool value) : storage(value) {}
    template <std::integral T>
    requires(!std::same_as<T, bool>) PropertyValue(T value)
        : storage(static_cast<int64_t>(value)) {}
    PropertyValue(double value) : storage(value) {}
    PropertyValue(const char* value) : storage(std::string(value ? value : "")) {}
    PropertyValue(std::string value) : storage(std::move(value)) {}
    PropertyValue(Data value) : storage(std::move(value)) {}
    PropertyValue(PropertyArray value) : storage(std::move(value)) {}
    PropertyValue(PropertyDictionary value) : storage(std::move(value)) {}

    bool isBool() const { return std::holds_alternative<bool>(storage); }
    bool isInteger() const { return std::holds_alternative<int64_t>(storage); }
    bool isDouble() const { return std::holds_alternative<double>(storage); }
    bool isNumber() const { return isInteger() || isDouble(); }
    bool isString() const { return std::holds_alternative<std::string>(storage); }
    bool isData() const { return std::holds_alternative<Data>(storage); }
    bool isArray() const { return std::holds_alternative<PropertyArray>(storage); }
    bool isDictionary() const { return std::holds_alternative<PropertyDictionary>(storage); }

    // Present only when the value has that type.
    std::optional<bool> boolValue() const;
    std::optional<int64_t> integerValue() const; // also a double with an integral value
    std::optional<double> doubleValue() const;   // also an integer
    std::optional<std::string> stringValue() const;
    std::optional<Data> dataValue() const;
    std::optional<PropertyArray> arrayValue() const;
    std::optional<PropertyDictionary> dictionaryValue() const;
    // An array whose elements are all strings.
    std::optional<std::vector<std::string>> stringArrayValue() const;

    // Pointers into the value (no copy), absent for other types.
    const PropertyArray* array() const { return std::get_if<PropertyArray>(&storage); }
    const PropertyDictionary* dictionary() const {
        return std::get_if<PropertyDictionary>(&storage);
    }
    // The member `key` of a dictionary value, if both exist.
    const PropertyValue* member(const std::string& key) const;

    // "bool", "integer", "double", "string", "data", "array" or "dictionary".
    const char* typeName() const;

    friend bool operator==(const PropertyValue&, const PropertyValue&) = default;
};

// True when the value spans more than `levels` levels, itself being the first; the readers
// refuse values deeper than kMaxJsonNesting.
bool nestsDeeperThan(const PropertyValue& value, std::size_t levels);

// Exact JSON form, used for files: every value is an object with one member named after its type
// ({"integer": 3}, {"double": 3.0}, {"data": "<base64>"}, {"array": [...]}, ...), so each
// type reads back as itself.
nlohmann::json toTaggedJson(const PropertyValue& value);
// Fails with a message naming where the input is wrong; both readers refuse values nested deeper
// than kMaxJsonNesting.
struct PropertyValueParseResult {
    std::optional<PropertyValue> value;
    std::string error;
};
PropertyValueParseResult fromTaggedJson(const nlohmann::json& json);

// Plain JSON form, used for hand-written scenario data: true/false, integers, floating numbers,
// strings, arrays and objects map onto their types; null has no value. Data is written as its
// base64 text and so reads back as a string.
nlohmann::json toPlainJson(const PropertyValue& value);
PropertyValueParseResult fromPlainJson(const nlohmann::json& json);

// The tagged JSON text, for logs and test failure messages.
std::ostream& operator<<(std::ostream& stream, const PropertyValue& value);

std::string base64Encode(const Data& data);
std::optional<Data> base64Decode(const std::string& text);

} // namespace tessarin
