#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// How deep arrays and objects may nest in any JSON the program reads. Real documents stay within
// a dozen levels; the bound keeps every recursive reader of a parsed tree far from the end of the
// stack.
inline constexpr std::size_t kMaxJsonNesting = 256;

// "[index]", the step to an element of an array in the places named below.
std::string jsonIndexStep(std::size_t index);

// One pass over `text` without building a tree.
struct JsonTextScan {
    // The place ("outer.list[2][0]...") where the text first nests deeper than the bound; nothing
    // when it stays within it or is malformed before it gets that deep.
    std::optional<std::string> excessiveNesting;
    // The member being read where the text is malformed ("outer.list[2].name"); empty at the
    // top level, nothing when the text is well formed (or nests too deep first).
    std::optional<std::string> malformedMember;
};

JsonTextScan scanJsonText(std::string_view text, std::size_t limit = kMaxJsonNesting);

} // namespace tessarin
