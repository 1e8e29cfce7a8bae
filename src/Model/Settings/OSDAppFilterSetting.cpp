#include "Model/Settings/OSDAppFilterSetting.h"

#include "Support/Text.h"

#include <set>

namespace tessarin {

std::vector<std::string>
OSDAppFilterSetting::normalizedEntries(const std::vector<std::string>& entries) {
    std::vector<std::string> result;
    std::set<std::string> seen;
    for (const std::string& entry : entries) {
        std::string collapsed = collapsingWhitespace(entry);
        if (collapsed.empty() || !seen.insert(lowercased(collapsed)).second)
            continue;
        result.push_back(std::move(collapsed));
    }
    return result;
}

std::vector<std::string> OSDAppFilterSetting::persistedEntries(const UserDefaults& defaults) {
    const auto stored = defaults.object(key);
    if (!stored || !stored->array())
        return {};
    std::vector<std::string> names;
    for (const PropertyValue& element : *stored->array()) {
        if (auto name = element.stringValue())
            names.push_back(std::move(*name));
    }
    return normalizedEntries(names);
}

OSDAppFilter OSDAppFilterSetting::persisted(const UserDefaults& defaults) {
    return OSDAppFilter(persistedEntries(defaults));
}

void OSDAppFilterSetting::persist(const std::vector<std::string>& entries, UserDefaults& defaults) {
    const std::vector<std::string> normalized = normalizedEntries(entries);
    if (normalized.empty()) {
        defaults.remove(key);
        return;
    }
    PropertyArray array(normalized.begin(), normalized.end());
    if (defaults.object(key) == PropertyValue(array))
        return;
    defaults.set(key, std::move(array));
}

std::string OSDAppFilterSetting::summary(const UserDefaults& defaults) {
    const std::size_t count = persistedEntries(defaults).size();
    if (count == 0)
        return "No apps or windows filtered.";
    if (count == 1)
        return "1 app or window name filtered.";
    return std::to_string(count) + " app or window names filtered.";
}

} // namespace tessarin
