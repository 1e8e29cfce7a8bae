#include "Model/Spaces/DirectSlotMetadataStore.h"

#include "Model/Settings/DisplaySettingsKey.h"
#include "Platform/Host.h"
#include "Support/Text.h"

namespace tessarin {

namespace {

std::string slotKeyPrefix(const std::string& trimmedIdentifier, int slotIndex) {
    return "directSlot.display." + trimmedIdentifier + "." + std::to_string(slotIndex);
}

std::optional<std::string> nonBlankTrimmed(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    std::string trimmed = trimmingWhitespaceAndNewlines(*text);
    if (trimmed.empty())
        return std::nullopt;
    return trimmed;
}

} // namespace

DirectSlotMetadataStore::DirectSlotMetadataStore(UserDefaults& defaults)
    : revision(0), defaults_(defaults) {}

std::string DirectSlotMetadataStore::nameKey(const std::string& trimmedIdentifier, int slotIndex) {
    return slotKeyPrefix(trimmedIdentifier, slotIndex) + ".name";
}

DirectSlotMetadataStore& DirectSlotMetadataStore::shared() {
    return Host::current().sharedInstance<DirectSlotMetadataStore>(
        [](Host& host) { return std::make_shared<DirectSlotMetadataStore>(host.defaults()); });
}

std::string DirectSlotMetadataStore::obscureKey(const std::string& trimmedIdentifier,
                                                int slotIndex) {
    return slotKeyPrefix(trimmedIdentifier, slotIndex) + ".obscure";
}

std::optional<std::string>
DirectSlotMetadataStore::validIdentifier(const std::string& displayIdentifier, int slotIndex) {
    if (slotIndex < firstSlotIndex || slotIndex > lastSlotIndex)
        return std::nullopt;
    return trimmedDisplayIdentifier(displayIdentifier);
}

std::optional<std::string> DirectSlotMetadataStore::storedName(const std::string& trimmedIdentifier,
                                                               int slotIndex) const {
    return nonBlankTrimmed(defaults_.stringValue(nameKey(trimmedIdentifier, slotIndex)));
}

DirectSlotMetadata DirectSlotMetadataStore::metadata(const std::string& displayIdentifier,
                                                     int slotIndex) const {
    const auto identifier = validIdentifier(displayIdentifier, slotIndex);
    if (!identifier)
        return {};
    DirectSlotMetadata result;
    result.name = storedName(*identifier, slotIndex);
    result.obscured = defaults_.boolValue(obscureKey(*identifier, slotIndex)).value_or(false);
    return result;
}

std::optional<int>
DirectSlotMetadataStore::highestNamedSlotIndex(const std::string& displayIdentifier) const {
    const auto identifier = trimmedDisplayIdentifier(displayIdentifier);
    if (!identifier)
        return std::nullopt;
    for (int slot = lastSlotIndex; slot >= firstSlotIndex; --slot) {
        if (storedName(*identifier, slot))
            return slot;
    }
    return std::nullopt;
}

bool DirectSlotMetadataStore::setName(const std::optional<std::string>& name,
                                      const std::string& displayIdentifier, int slotIndex) {
    const auto identifier = validIdentifier(displayIdentifier, slotIndex);
    if (!identifier)
        return false;
    const std::string key = nameKey(*identifier, slotIndex);
    const auto newName = nonBlankTrimmed(name);
    const auto stored = defaults_.object(key);
    if (!newName) {
        if (!stored)
            return false;
        defaults_.remove(key);
    } else {
        if (stored && stored->stringValue() == newName)
            return false;
        defaults_.set(key, *newName);
    }
    revision.set(revision.value() + 1);
    return true;
}

bool DirectSlotMetadataStore::setObscured(bool obscured, const std::string& displayIdentifier,
                                          int slotIndex) {
    const auto identifier = validIdentifier(displayIdentifier, slotIndex);
    if (!identifier)
        return false;
    const std::string key = obscureKey(*identifier, slotIndex);
    // Nothing stored reads as not obscured, so clearing an absent flag writes nothing.
    const auto stored = defaults_.object(key);
    if ((stored ? stored->boolValue() : std::optional(false)) == obscured)
        return false;
    defaults_.set(key, obscured);
    revision.set(revision.value() + 1);
    return true;
}

void DirectSlotMetadataStore::clearAll(const std::string& displayIdentifier) {
    const auto identifier = trimmedDisplayIdentifier(displayIdentifier);
    if (!identifier)
        return;
    bool removed = false;
    for (int slot = firstSlotIndex; slot <= lastSlotIndex; ++slot) {
        for (const std::string& key : {nameKey(*identifier, slot), obscureKey(*identifier, slot)}) {
            if (defaults_.contains(key)) {
                defaults_.remove(key);
                removed = true;
            }
        }
    }
    if (removed)
        revision.set(revision.value() + 1);
}

} // namespace tessarin
