#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace tessarin {

// "[:]" for no titles, else "[0:Mail | 3:Space 4]" in ascending index order.
std::string describeCellTitles(const std::map<int64_t, std::string>& titles);
// "[0, 2]" in ascending order; "[]" when empty.
std::string describeIndexes(const std::set<int64_t>& indexes);

// The Space diagnostics line of one built grid model.
struct GridModelDiagnostics {
    std::string displayIdentifier;
    std::string previewDisplayIdentifier;
    int64_t activeIndex = 0;
    int64_t spaceCount = 0;
    std::map<int64_t, std::string> titles;
    std::set<int64_t> imageIndexes;
    std::set<int64_t> iconIndexes;
    std::set<int64_t> obscuredIndexes;

    std::string line() const;
};

} // namespace tessarin
