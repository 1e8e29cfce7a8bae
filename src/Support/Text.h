#pragma once

#include <string>
#include <string_view>

namespace tessarin {

// Unicode-aware text helpers over UTF-8 strings; "white space" is every Unicode space
// separator and control blank, as the platform's character sets define it.

// Trims white space and line breaks at both ends.
std::string trimmingWhitespaceAndNewlines(std::string_view text);
// Trims white space but keeps line breaks.
std::string trimmingWhitespace(std::string_view text);
// Replaces every run of white space and line breaks by one blank, and trims the ends.
std::string collapsingWhitespace(std::string_view text);
std::string lowercased(std::string_view text);
bool isBlank(std::string_view text);
// The text with every byte that is not part of a printable UTF-8 character (control characters,
// bytes of no valid sequence) written as "\xNN", so a log line quoting a file stays one line of
// valid text.
std::string escapingUnprintable(std::string_view text);

} // namespace tessarin
