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

// The place ("outer.list[2][0]...") where `text` first nests deeper than kMaxJsonNesting, found
// without building a tree. Nothing when it stays within the bound or is malformed before it
// gets that deep.
// "[index]", the step to an element of an array in the places named above.
std::string jsonIndexStep(std::size_t index);

std::optional<std::string> findExcessiveNesting(std::string_view text,
                                                std::size_t limit = kMaxJsonNesting);

} // namespace tessarin
