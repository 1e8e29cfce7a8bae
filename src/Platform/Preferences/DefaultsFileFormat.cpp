#include "Platform/Preferences/DefaultsFileFormat.h"

#include "Support/Json.h"

namespace tessarin {

namespace {
// Each stored level is wrapped in its type tag ({"array": [...]}) and the file wraps every key
// in one object, so the file nests twice as deep as the deepest value the store accepts; a
// value it accepted must read back.
constexpr std::size_t kMaxDefaultsFileNesting = 2 * kMaxJsonNesting;
} // namespace

std::string defaultsFileText(const PropertyDictionary& values) {
    auto json = Json::object();
    for (const auto& [key, value] : values) {
        json[key] = toTaggedJson(value);
    }
    // A string that is not UTF-8 must not make the write throw; it is stored with replacements.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

DefaultsFileReadResult readDefaultsFileText(std::string_view text) {
    const JsonParseResult json = parseJson(text, kMaxDefaultsFileNesting);
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
