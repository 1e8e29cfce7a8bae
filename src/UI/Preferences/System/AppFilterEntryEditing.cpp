#include "UI/Preferences/System/AppFilterEntryEditing.h"

#include "Model/Settings/OSDAppFilterSetting.h"

namespace tessarin::AppFilterEntryEditing {

std::optional<std::vector<std::string>> adding(const std::vector<std::string>& entries,
                                               const std::string& candidate) {
    std::vector<std::string> candidates = entries;
    candidates.push_back(candidate);
    std::vector<std::string> result = OSDAppFilterSetting::normalizedEntries(candidates);
    if (result == entries) {
        return std::nullopt;
    }
    return result;
}

bool canAdd(const std::string& text) {
    return !OSDAppFilterSetting::normalizedEntries({text}).empty();
}

bool canRemove(const std::vector<std::string>& entries, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < entries.size();
}

std::optional<Removal> removing(const std::vector<std::string>& entries, int row) {
    if (!canRemove(entries, row)) {
        return std::nullopt;
    }
    Removal removal{entries, std::nullopt};
    removal.entries.erase(removal.entries.begin() + row);
    if (static_cast<std::size_t>(row) < removal.entries.size()) {
        removal.selectedRow = row;
    }
    return removal;
}

} // namespace tessarin::AppFilterEntryEditing
