#include "Platform/Preferences/DefaultsFileFormat.h"

#include "Support/Json.h"

namespace tessarin {

std::string defaultsFileText(const PropertyDictionary& values) {
    auto json = Json::object();
    for (const auto& [key, value] : values) {
        json[key] = toTaggedJson(value);
    }
    return json.dump(2) + "\n";
}

DefaultsFileReadResult readDefaultsFileText(std::string_view text) {
    const JsonParseResult json = parseJson(text);
    if (!json) {
        const std::string place = json.member.empty() ? "" : " at " + json.member;
        return {std::nullopt, "is not valid JSON" + place + ": " + json.error};
    }
    if (!json.value->is_object()) {
        return {std::nullopt, "does not hold a JSON object"};
    }
    PropertyDictionary values;
    for (const auto& [key, member] : json.value->items()) {
        auto parsed = fromTaggedJson(member);
        if (!parsed.value) {
            return {std::nullopt, "key \"" + key + "\": " + parsed.error};
        }
        values.emplace(key, std::move(*parsed.value));
    }
    return {std::move(values), {}};
}

} // namespace tessarin
