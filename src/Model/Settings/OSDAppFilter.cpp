#include "Model/Settings/OSDAppFilter.h"

#include "Support/Text.h"

#include <algorithm>

namespace tessarin {

OSDAppFilter::OSDAppFilter(std::vector<std::string> normalizedEntries)
    : entries(std::move(normalizedEntries)) {
    matchEntries.reserve(entries.size());
    for (const std::string& entry : entries)
        matchEntries.push_back(lowercased(entry));
}

bool OSDAppFilter::matchesCandidate(const std::optional<std::string>& name) const {
    if (!name || matchEntries.empty())
        return false;
    const std::string candidate = lowercased(collapsingWhitespace(*name));
    if (candidate.empty())
        return false;
    return std::any_of(matchEntries.begin(), matchEntries.end(), [&](const std::string& entry) {
        return !entry.empty() && candidate.find(entry) != std::string::npos;
    });
}

} // namespace tessarin
