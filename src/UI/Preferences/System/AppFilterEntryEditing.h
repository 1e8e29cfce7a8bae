#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// What the App Filter sheet's additions and removals make of its list of entries. Entries are
// kept as the stored filter normalises them, so the sheet never shows what would not be stored.
namespace AppFilterEntryEditing {

// The entries with `candidate` appended, normalised; nothing when that leaves them as they were
// (a blank candidate, or one already listed in another letter case or spacing).
std::optional<std::vector<std::string>> adding(const std::vector<std::string>& entries,
                                               const std::string& candidate);

// Whether `text` on its own would make an entry.
bool canAdd(const std::string& text);

// Whether `row` names one of the entries.
bool canRemove(const std::vector<std::string>& entries, int row);

struct Removal {
    std::vector<std::string> entries;
    // The same row again when an entry moved up into it.
    std::optional<int> selectedRow;
};

// The entries without the one at `row`; nothing when `row` names none.
std::optional<Removal> removing(const std::vector<std::string>& entries, int row);

} // namespace AppFilterEntryEditing

} // namespace tessarin
