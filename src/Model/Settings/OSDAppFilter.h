#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The user's list of application or window names whose windows the OSD previews leave out.
// `entries` are the normalised names, `matchEntries` the same names lower-cased; an empty list
// filters nothing.
struct OSDAppFilter {
    std::vector<std::string> entries;
    std::vector<std::string> matchEntries;

    OSDAppFilter() = default;
    // Takes entries already normalised by `OSDAppFilterSetting::normalizedEntries`.
    explicit OSDAppFilter(std::vector<std::string> normalizedEntries);

    bool isEmpty() const { return entries.empty(); }

    // True when the name, with its white space collapsed, trimmed and lower-cased, contains any
    // match entry. An absent or blank name never matches.
    bool matchesCandidate(const std::optional<std::string>& name) const;

    friend bool operator==(const OSDAppFilter&, const OSDAppFilter&) = default;
};

} // namespace tessarin
