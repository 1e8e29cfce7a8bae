#pragma once

#include "Model/Spaces/DirectSlotMetadata.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Published.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

// Custom names and obscure flags of the direct slots 1 to 10 of each display, stored as
// "directSlot.display." + trimmed identifier + "." + slot + ".name" and ".obscure".
class DirectSlotMetadataStore {
public:
    static constexpr int firstSlotIndex = 1;
    static constexpr int lastSlotIndex = 10;

    explicit DirectSlotMetadataStore(UserDefaults& defaults);
    DirectSlotMetadataStore(const DirectSlotMetadataStore&) = delete;
    DirectSlotMetadataStore& operator=(const DirectSlotMetadataStore&) = delete;

    // The store over the current host's user defaults.
    static DirectSlotMetadataStore& shared();

    // Raised by one on every stored edit of a name or obscure flag.
    Published<std::int64_t> revision;

    // Empty for a blank identifier or a slot outside 1...10; the name is trimmed and absent when
    // blank or not a string.
    DirectSlotMetadata metadata(const std::string& displayIdentifier, int slotIndex) const;
    std::optional<int> highestNamedSlotIndex(const std::string& displayIdentifier) const;

    // A blank or absent name removes the stored one. False, with nothing written, for a blank
    // identifier, a slot outside 1...10, or a name equal to the stored one.
    bool setName(const std::optional<std::string>& name, const std::string& displayIdentifier,
                 int slotIndex);
    // False, with nothing written, for a blank identifier, a slot outside 1...10 or an unchanged
    // flag.
    bool setObscured(bool obscured, const std::string& displayIdentifier, int slotIndex);
    // Removes the names and flags of all ten slots of the display.
    void clearAll(const std::string& displayIdentifier);

    static std::string nameKey(const std::string& trimmedIdentifier, int slotIndex);
    static std::string obscureKey(const std::string& trimmedIdentifier, int slotIndex);

private:
    // The trimmed identifier when it is not blank and the slot lies in 1...10.
    static std::optional<std::string> validIdentifier(const std::string& displayIdentifier,
                                                      int slotIndex);
    std::optional<std::string> storedName(const std::string& trimmedIdentifier,
                                          int slotIndex) const;

    UserDefaults& defaults_;
};

} // namespace tessarin
