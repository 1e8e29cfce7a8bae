#include "Support/Json.h"

#include "Support/BoundedFileRead.h"
#include "Support/JsonNesting.h"

namespace tessarin {

JsonParseResult parseJson(std::string_view text, std::size_t maxNesting) {
    // Checked before any tree is built: the tree and every reader of it recurse per level.
    JsonTextScan scan = scanJsonText(text, maxNesting);
    if (scan.excessiveNesting) {
        return {std::nullopt, "nested deeper than " + std::to_string(maxNesting) + " levels",
                std::move(*scan.excessiveNesting)};
    }
    try {
        return {Json::parse(text.begin(), text.end()), {}, {}};
    } catch (const Json::exception& error) {
        // Not only syntax: a number past the range of a double is an out-of-range error.
        return {std::nullopt, error.what(), scan.malformedMember.value_or("")};
    }
}

JsonParseResult readJsonFile(const std::filesystem::path& path) {
    const BoundedFileRead file = readBoundedFile(path, kMaxJsonFileBytes);
    if (!file) {
        return {std::nullopt, path.string() + ": " + file.error, {}};
    }
    JsonParseResult result = parseJson(*file.bytes);
    if (!result) {
        const std::string place = result.member.empty() ? "" : result.member + ": ";
        result.error = path.string() + ": " + place + result.error;
    }
    return result;
}

namespace {
const Json* member(const Json& object, std::string_view key) {
    if (!object.is_object()) {
        return nullptr;
    }
    auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}
} // namespace

std::optional<std::string> jsonString(const Json& object, std::string_view key) {
    const Json* value = member(object, key);
    if (value && value->is_string()) {
        return value->get<std::string>();
    }
    return std::nullopt;
}

std::optional<std::int64_t> jsonInteger(const Json& object, std::string_view key) {
    const Json* value = member(object, key);
    if (value && value->is_number_integer()) {
        return value->get<std::int64_t>();
    }
    return std::nullopt;
}

std::optional<std::uint64_t> jsonUnsigned(const Json& object, std::string_view key) {
    const Json* value = member(object, key);
    if (value && value->is_number_unsigned()) {
        return value->get<std::uint64_t>();
    }
    if (value && value->is_number_integer() && value->get<std::int64_t>() >= 0) {
        return static_cast<std::uint64_t>(value->get<std::int64_t>());
    }
    return std::nullopt;
}

std::optional<double> jsonNumber(const Json& object, std::string_view key) {
    const Json* value = member(object, key);
    if (value && value->is_number()) {
        return value->get<double>();
    }
    return std::nullopt;
}

std::optional<bool> jsonBool(const Json& object, std::string_view key) {
    const Json* value = member(object, key);
    if (value && value->is_boolean()) {
        return value->get<bool>();
    }
    return std::nullopt;
}

std::string compactJsonString(const Json& value) {
    // Text that is not UTF-8 cannot be written as JSON; it is replaced rather than thrown on.
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::vector<std::uint8_t> compactJsonData(const Json& value) {
    const std::string text = compactJsonString(value);
    return {text.begin(), text.end()};
}

JsonParseResult parseJsonData(const std::vector<std::uint8_t>& data) {
    return parseJson(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

} // namespace tessarin
