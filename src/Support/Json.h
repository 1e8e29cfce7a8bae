#pragma once

#include "Support/JsonNesting.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

using Json = nlohmann::json;

// Parse failures are values, for any bytes at all: the error names the line and column where the
// text went wrong, or says it nests too deep; `member` names where (see JsonNesting.h).
struct JsonParseResult {
    std::optional<Json> value;
    std::string error;
    // Where in the document the fault lies ("outer.list[2]"), when that is known.
    std::string member;
    explicit operator bool() const { return value.has_value(); }
};

// The most bytes a JSON file the program reads may hold (a scenario, the defaults file). Real
// ones stay far below it; the bound keeps a hostile file from taking memory without end, since
// the parsed tree takes several times the text.
inline constexpr std::size_t kMaxJsonFileBytes = 16 * 1024 * 1024;

JsonParseResult parseJson(std::string_view text, std::size_t maxNesting = kMaxJsonNesting);
// Reads and parses a file of at most kMaxJsonFileBytes; the error names the file (and the member,
// when known).
JsonParseResult readJsonFile(const std::filesystem::path& path);

// Typed lookups that answer nothing, rather than throwing, when a key is missing or has
// another type.
std::optional<std::string> jsonString(const Json& object, std::string_view key);
std::optional<std::int64_t> jsonInteger(const Json& object, std::string_view key);
std::optional<std::uint64_t> jsonUnsigned(const Json& object, std::string_view key);
std::optional<double> jsonNumber(const Json& object, std::string_view key);
std::optional<bool> jsonBool(const Json& object, std::string_view key);

// Compact text; text that is not UTF-8 is written with replacement characters, not thrown on.
std::string compactJsonString(const Json& value);
// The same text as stored bytes (a data value of the user defaults), and its reading back.
std::vector<std::uint8_t> compactJsonData(const Json& value);
JsonParseResult parseJsonData(const std::vector<std::uint8_t>& data);

} // namespace tessarin
