#pragma once

#include "Model/Settings/OSDAppFilter.h"
#include "Platform/Preferences/UserDefaults.h"

#include <string>
#include <vector>

namespace tessarin {

// The stored app filter: an array of strings under "osdAppFilterNames".
struct OSDAppFilterSetting {
    static constexpr const char* key = "osdAppFilterNames";

    // White space collapsed and trimmed, empty names dropped, a name already seen in another
    // letter case dropped; first occurrences keep their order.
    static std::vector<std::string> normalizedEntries(const std::vector<std::string>& entries);
    // The normalised stored names. Elements that are not strings are skipped; a stored value that
    // is not an array reads as no names.
    static std::vector<std::string> persistedEntries(const UserDefaults& defaults);
    static OSDAppFilter persisted(const UserDefaults& defaults);
    // Stores the normalised names, or removes the key when none remain.
    static void persist(const std::vector<std::string>& entries, UserDefaults& defaults);
    // "No apps or windows filtered.", "1 app or window name filtered." or
    // "<n> app or window names filtered."
    static std::string summary(const UserDefaults& defaults);
};

} // namespace tessarin
