#include "Model/Spaces/DisplaySpaceOrderStore.h"

#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Text.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace tessarin {

namespace {

using Slot = DisplaySpaceSlot;
using Slots = std::vector<DisplaySpaceSlot>;

std::vector<SpaceID> uniqueNonZero(const std::vector<SpaceID>& spaceIDs) {
    std::vector<SpaceID> result;
    result.reserve(spaceIDs.size());
    std::set<SpaceID> seen;
    for (SpaceID id : spaceIDs) {
        if (id != 0 && seen.insert(id).second) {
            result.push_back(id);
        }
    }
    return result;
}

// Space IDs are unsigned 64-bit; the defaults keep signed integers, so the bits are kept as
// they are in both directions.
int64_t storedInteger(SpaceID id) {
    return static_cast<int64_t>(id);
}
SpaceID spaceIDFromStored(int64_t value) {
    return static_cast<SpaceID>(value);
}

std::optional<SpaceID> legacySpaceID(const PropertyValue& value) {
    if (auto integer = value.integerValue()) {
        return spaceIDFromStored(*integer);
    }
    if (auto text = value.stringValue()) {
        SpaceID id = 0;
        const auto* begin = text->data();
        const auto* end = begin + text->size();
        const auto result = std::from_chars(begin, end, id);
        if (result.ec == std::errc() && result.ptr == end) {
            return id;
        }
    }
    return std::nullopt;
}

PropertyValue encodeLayout(const Slots& slots) {
    PropertyArray encodedSlots;
    encodedSlots.reserve(slots.size());
    for (const Slot& slot : slots) {
        encodedSlots.push_back(PropertyDictionary{
            {"spaceID", PropertyValue(storedInteger(slot.isReal() ? slot.spaceID : 0))},
            {"kind", PropertyValue(rawValue(slot.kind))},
        });
    }
    return PropertyDictionary{
        {"version", PropertyValue(static_cast<int64_t>(DisplaySpaceOrderStore::layoutVersion))},
        {"slots", PropertyValue(std::move(encodedSlots))},
    };
}

// Drops trailing pinned placeholders: they are derived from the direct-slot names each time.
void dropTrailingPinnedPlaceholders(Slots& slots) {
    while (!slots.empty() && slots.back().kind == DisplaySpaceSlotKind::pinnedPlaceholder) {
        slots.pop_back();
    }
}

class LayoutDecoder {
public:
    explicit LayoutDecoder(std::string identifier) : identifier_(std::move(identifier)) {}

    std::optional<Slots> decodeLayout(const PropertyValue& value) {
        const PropertyDictionary* dictionary = value.dictionary();
        if (!dictionary) {
            return reject(std::string("layout is ") + value.typeName() + ", not a dictionary");
        }
        const PropertyValue* version = value.member("version");
        if (!version || version->integerValue() != DisplaySpaceOrderStore::layoutVersion) {
            return reject("unsupported layout version");
        }
        const PropertyValue* slotsValue = value.member("slots");
        const PropertyArray* entries = slotsValue ? slotsValue->array() : nullptr;
        if (!entries) {
            return reject("layout has no slot list");
        }
        Slots slots;
        std::set<SpaceID> seen;
        for (const PropertyValue& entry : *entries) {
            if (static_cast<int>(slots.size()) >= DisplaySpaceOrderStore::maximumStoredSlotCount) {
                note("too many slots");
                break;
            }
            if (auto slot = decodeSlot(entry, seen)) {
                slots.push_back(*slot);
            }
        }
        return slots;
    }

    std::optional<Slots> decodeLegacyOrder(const PropertyValue& value) {
        const PropertyArray* entries = value.array();
        if (!entries) {
            return reject(std::string("legacy order is ") + value.typeName() + ", not a list");
        }
        Slots slots;
        std::set<SpaceID> seen;
        for (const PropertyValue& entry : *entries) {
            if (static_cast<int>(slots.size()) >= DisplaySpaceOrderStore::maximumStoredSlotCount) {
                note("too many slots");
                break;
            }
            const auto id = legacySpaceID(entry);
            if (!id || *id == 0 || !seen.insert(*id).second) {
                note("unusable legacy Space ID");
                continue;
            }
            slots.push_back(Slot::realSpace(*id));
        }
        return slots;
    }

    bool hadProblems() const { return hadProblems_; }

private:
    std::optional<Slot> decodeSlot(const PropertyValue& entry, std::set<SpaceID>& seen) {
        const PropertyValue* kindValue = entry.member("kind");
        const auto kindText = kindValue ? kindValue->stringValue() : std::nullopt;
        const auto kind = kindText ? fromRawValue<DisplaySpaceSlotKind>(*kindText) : std::nullopt;
        if (!kind) {
            note("slot without a known kind");
            return std::nullopt;
        }
        const PropertyValue* idValue = entry.member("spaceID");
        const auto id = idValue ? idValue->integerValue() : std::nullopt;
        if (*kind != DisplaySpaceSlotKind::real) {
            if (id.value_or(0) != 0) {
                note("placeholder with a Space ID");
            }
            return Slot{0, *kind};
        }
        if (!id || *id == 0) {
            note("real slot without a Space ID");
            return std::nullopt;
        }
        const SpaceID spaceID = spaceIDFromStored(*id);
        if (!seen.insert(spaceID).second) {
            note("duplicated Space ID " + std::to_string(spaceID));
            return std::nullopt;
        }
        return Slot::realSpace(spaceID);
    }

    std::nullopt_t reject(const std::string& problem) {
        note(problem);
        return std::nullopt;
    }

    void note(const std::string& problem) {
        hadProblems_ = true;
        TessarinSpaceDiagnostics::logStoredLayoutProblem(identifier_, problem);
    }

    std::string identifier_;
    bool hadProblems_ = false;
};

} // namespace

DisplaySpaceOrderStore::DisplaySpaceOrderStore(UserDefaults& defaults,
                                               HighestNamedSlotIndexProvider highestNamedSlotIndex)
    : defaults_(defaults), highestNamedSlotIndex_(std::move(highestNamedSlotIndex)) {}

std::string DisplaySpaceOrderStore::layoutKey(const std::string& trimmedIdentifier) {
    return layoutKeyPrefix + trimmedIdentifier;
}

std::string DisplaySpaceOrderStore::legacyOrderKey(const std::string& trimmedIdentifier) {
    return legacyOrderKeyPrefix + trimmedIdentifier;
}

std::optional<DisplaySpaceOrderStore::StoredLayout>
DisplaySpaceOrderStore::readLayout(const std::string& identifier) const {
    if (identifier.empty()) {
        return std::nullopt;
    }
    LayoutDecoder decoder(identifier);
    if (auto value = defaults_.object(layoutKey(identifier))) {
        if (auto slots = decoder.decodeLayout(*value)) {
            return StoredLayout{std::move(*slots), decoder.hadProblems()};
        }
    }
    if (auto value = defaults_.object(legacyOrderKey(identifier))) {
        if (auto slots = decoder.decodeLegacyOrder(*value)) {
            return StoredLayout{std::move(*slots), decoder.hadProblems()};
        }
    }
    return std::nullopt;
}

int DisplaySpaceOrderStore::pinnedSlotCount(const std::string& identifier,
                                            const ResolutionContext& context) const {
    std::optional<int> count = context.pinnedSlotCount;
    if (!count && highestNamedSlotIndex_ && !identifier.empty()) {
        count = highestNamedSlotIndex_(identifier);
    }
    return std::clamp(count.value_or(0), 0, maximumStoredSlotCount);
}

DisplaySpaceOrderStore::ResolutionContext
DisplaySpaceOrderStore::rememberedContext(const std::string& identifier) const {
    ResolutionContext context;
    if (auto found = memory_.find(identifier); found != memory_.end()) {
        context.otherSpaceIDs = found->second.lastOtherSpaceIDs;
    }
    return context;
}

void DisplaySpaceOrderStore::remember(const std::string& identifier,
                                      const std::vector<SpaceID>& systemSpaceIDs,
                                      const ResolutionContext& context) {
    if (identifier.empty() || systemSpaceIDs.empty()) {
        return;
    }
    DisplayMemory& memory = memory_[identifier];
    memory.lastSystemIndexes.clear();
    for (std::size_t index = 0; index < systemSpaceIDs.size(); ++index) {
        memory.lastSystemIndexes.emplace(systemSpaceIDs[index], static_cast<int>(index));
    }
    memory.lastOtherSpaceIDs = context.otherSpaceIDs;
}

std::vector<DisplaySpaceSlot>
DisplaySpaceOrderStore::visibleSlots(const std::vector<DisplaySpaceSlot>& storable,
                                     const std::set<SpaceID>& systemSet, bool usesPlaceholders,
                                     int pinnedSlotCount) const {
    Slots visible;
    visible.reserve(std::max<std::size_t>(storable.size(), pinnedSlotCount));
    for (const Slot& slot : storable) {
        if (slot.isReal() ? systemSet.count(slot.spaceID) > 0 : usesPlaceholders) {
            visible.push_back(slot);
        }
    }
    if (usesPlaceholders) {
        while (static_cast<int>(visible.size()) < pinnedSlotCount) {
            visible.push_back(Slot::makePinnedPlaceholder());
        }
    }
    return visible;
}

DisplaySpaceOrderStore::Resolution
DisplaySpaceOrderStore::resolve(const std::string& identifier,
                                const std::optional<StoredLayout>& stored,
                                const std::vector<SpaceID>& systemSpaceIDs, bool usesPlaceholders,
                                const ResolutionContext& context) const {
    const std::set<SpaceID> systemSet(systemSpaceIDs.begin(), systemSpaceIDs.end());
    const int pinned = pinnedSlotCount(identifier, context);
    Resolution resolution;

    if (!stored) {
        for (SpaceID id : systemSpaceIDs) {
            resolution.storable.push_back(Slot::realSpace(id));
        }
        resolution.visible = visibleSlots(resolution.storable, systemSet, usesPlaceholders, pinned);
        return resolution;
    }

    std::set<SpaceID> storedReal;
    std::vector<SpaceID> vanished; // stored Spaces the window server lists nowhere now
    bool anyStoredSpaceLive = false;
    for (const Slot& slot : stored->slots) {
        if (!slot.isReal()) {
            continue;
        }
        storedReal.insert(slot.spaceID);
        if (systemSet.count(slot.spaceID)) {
            anyStoredSpaceLive = true;
        } else if (!context.otherSpaceIDs.count(slot.spaceID)) {
            vanished.push_back(slot.spaceID);
        }
    }
    std::vector<SpaceID> arrived; // live Spaces the layout does not know, in system order
    for (SpaceID id : systemSpaceIDs) {
        if (!storedReal.count(id)) {
            arrived.push_back(id);
        }
    }

    // The window server renumbers Spaces without reordering them: pair the vanished IDs, in
    // their last known system order (else in order of creation, which IDs follow), with the
    // arrived ones in the live system order. A complete renumbering (a restart) is certain; a
    // partial one could as well be a Desktop removed and another added, so it is trusted only
    // inside the stabilizer's recovery window.
    if (!vanished.empty() && !arrived.empty() &&
        (!anyStoredSpaceLive || context.allowsRecoveryReplacements)) {
        const auto memory = memory_.find(identifier);
        const auto lastIndex = [&](SpaceID id) -> std::optional<int> {
            if (memory == memory_.end()) {
                return std::nullopt;
            }
            const auto found = memory->second.lastSystemIndexes.find(id);
            if (found == memory->second.lastSystemIndexes.end()) {
                return std::nullopt;
            }
            return found->second;
        };
        std::stable_sort(vanished.begin(), vanished.end(), [&](SpaceID a, SpaceID b) {
            const auto ia = lastIndex(a);
            const auto ib = lastIndex(b);
            if (ia && ib) {
                return *ia < *ib;
            }
            if (ia || ib) {
                return ia.has_value();
            }
            return a < b;
        });
        const std::size_t pairs = std::min(vanished.size(), arrived.size());
        for (std::size_t index = 0; index < pairs; ++index) {
            resolution.replacements.emplace(vanished[index], arrived[index]);
        }
    }

    std::set<SpaceID> placed;
    for (const Slot& slot : stored->slots) {
        if (!slot.isReal()) {
            resolution.storable.push_back(slot);
            continue;
        }
        if (systemSet.count(slot.spaceID) || context.otherSpaceIDs.count(slot.spaceID)) {
            // Spaces listed on another display keep their place but stay hidden here, so a
            // display that comes back finds its layout intact.
            resolution.storable.push_back(slot);
            placed.insert(slot.spaceID);
        } else if (auto replaced = resolution.replacements.find(slot.spaceID);
                   replaced != resolution.replacements.end()) {
            resolution.storable.push_back(Slot::realSpace(replaced->second));
            placed.insert(replaced->second);
        }
    }
    dropTrailingPinnedPlaceholders(resolution.storable);
    for (SpaceID id : arrived) {
        if (!placed.count(id)) {
            resolution.storable.push_back(Slot::realSpace(id));
        }
    }
    resolution.visible = visibleSlots(resolution.storable, systemSet, usesPlaceholders, pinned);
    return resolution;
}

bool DisplaySpaceOrderStore::write(const std::string& identifier,
                                   const std::vector<DisplaySpaceSlot>& slots) {
    const std::string key = layoutKey(identifier);
    const std::string legacyKey = legacyOrderKey(identifier);
    PropertyValue value = encodeLayout(slots);
    const bool layoutChanged = defaults_.object(key) != value;
    const bool hasLegacy = defaults_.contains(legacyKey);
    if (!layoutChanged && !hasLegacy) {
        return false;
    }
    if (layoutChanged) {
        defaults_.set(key, std::move(value));
    }
    if (hasLegacy) {
        defaults_.remove(legacyKey);
    }
    revision.set(revision.value() + 1);
    return true;
}

DisplaySpaceOrderSnapshot DisplaySpaceOrderStore::snapshot(
    const std::string& displayIdentifier, const std::vector<SpaceID>& systemOrderedSpaceIDs,
    SpaceID activeSpaceID, bool usesPlaceholders, const ResolutionContext& context) {
    const std::string identifier = trimmingWhitespaceAndNewlines(displayIdentifier);
    std::vector<SpaceID> system = uniqueNonZero(systemOrderedSpaceIDs);
    const auto stored = readLayout(identifier);
    Resolution resolution = resolve(identifier, stored, system, usesPlaceholders, context);
    // An empty Space list says nothing about the layout (the window server is reconfiguring):
    // never let it wipe the stored order.
    if (stored && !system.empty() &&
        (stored->needsRewrite || resolution.storable != stored->slots)) {
        write(identifier, resolution.storable);
    }
    remember(identifier, system, context);
    return DisplaySpaceOrderSnapshot::make(identifier, std::move(system),
                                           std::move(resolution.visible), activeSpaceID,
                                           std::move(resolution.replacements));
}

std::optional<DisplaySpaceOrderSnapshot> DisplaySpaceOrderStore::storeEdited(
    const std::string& identifier, std::vector<DisplaySpaceSlot> slots,
    const std::vector<DisplaySpaceSlot>& previousStorable,
    const std::vector<SpaceID>& systemSpaceIDs, SpaceID activeSpaceID, bool usesPlaceholders) {
    const std::set<SpaceID> systemSet(systemSpaceIDs.begin(), systemSpaceIDs.end());
    // Spaces hidden because another display lists them keep their place at the end.
    for (const Slot& slot : previousStorable) {
        if (slot.isReal() && !systemSet.count(slot.spaceID)) {
            slots.push_back(slot);
        }
    }
    dropTrailingPinnedPlaceholders(slots);
    if (!write(identifier, slots)) {
        return std::nullopt;
    }
    const ResolutionContext context = rememberedContext(identifier);
    remember(identifier, systemSpaceIDs, context);
    return DisplaySpaceOrderSnapshot::make(
        identifier, systemSpaceIDs,
        visibleSlots(slots, systemSet, usesPlaceholders, pinnedSlotCount(identifier, context)),
        activeSpaceID);
}

std::optional<DisplaySpaceOrderSnapshot> DisplaySpaceOrderStore::moveVisualOrder(
    int from, int to, OSDGridRearrangementBehavior behavior, const std::string& displayIdentifier,
    const std::vector<SpaceID>& systemOrderedSpaceIDs, SpaceID activeSpaceID, bool usesPlaceholders,
    int virtualDestinationLimit, int minimumVisibleSlotCount) {
    const std::string identifier = trimmingWhitespaceAndNewlines(displayIdentifier);
    if (identifier.empty()) {
        return std::nullopt;
    }
    const std::vector<SpaceID> system = uniqueNonZero(systemOrderedSpaceIDs);
    const ResolutionContext context = rememberedContext(identifier);
    const Resolution resolution =
        resolve(identifier, readLayout(identifier), system, usesPlaceholders, context);
    const Slots& current = resolution.visible;
    const int count = static_cast<int>(current.size());

    if (from < 0 || from >= count || !current[static_cast<std::size_t>(from)].isReal() || to < 0 ||
        to == from) {
        return std::nullopt;
    }
    Slots moved = current;
    const auto f = static_cast<std::size_t>(from);
    const auto t = static_cast<std::size_t>(to);
    if (to >= count) {
        // A drop behind the last cell: the layout grows to the destination and the cells
        // left behind become placeholders.
        if (!usesPlaceholders || to >= virtualDestinationLimit) {
            return std::nullopt;
        }
        moved.resize(t + 1, Slot::makePlaceholder());
        moved[t] = current[f];
        moved[f] = Slot::makePlaceholder();
    } else if (current[t].isPlaceholder() || behavior == OSDGridRearrangementBehavior::swap) {
        std::swap(moved[f], moved[t]);
        if (moved[f].isPlaceholder()) {
            // An empty cell that left its place is no longer held there by a slot name.
            moved[f] = Slot::makePlaceholder();
        }
    } else {
        const Slot slot = moved[f];
        moved.erase(moved.begin() + from);
        moved.insert(moved.begin() + to, slot);
    }
    while (static_cast<int>(moved.size()) > std::max(minimumVisibleSlotCount, 0) &&
           moved.back().kind == DisplaySpaceSlotKind::placeholder) {
        moved.pop_back();
    }
    if (moved == current) {
        return std::nullopt;
    }
    auto result = storeEdited(identifier, std::move(moved), resolution.storable, system,
                              activeSpaceID, usesPlaceholders);
    if (result) {
        result->spaceIDReplacements = resolution.replacements;
    }
    return result;
}

std::optional<DisplaySpaceOrderSnapshot>
DisplaySpaceOrderStore::removePlaceholder(int index, const std::string& displayIdentifier,
                                          const std::vector<SpaceID>& systemOrderedSpaceIDs,
                                          SpaceID activeSpaceID) {
    const std::string identifier = trimmingWhitespaceAndNewlines(displayIdentifier);
    if (identifier.empty()) {
        return std::nullopt;
    }
    const std::vector<SpaceID> system = uniqueNonZero(systemOrderedSpaceIDs);
    const Resolution resolution = resolve(identifier, readLayout(identifier), system,
                                          /*usesPlaceholders=*/true, rememberedContext(identifier));
    Slots slots = resolution.visible;
    if (index < 0 || index >= static_cast<int>(slots.size()) ||
        slots[static_cast<std::size_t>(index)].kind != DisplaySpaceSlotKind::placeholder) {
        return std::nullopt;
    }
    slots.erase(slots.begin() + index);
    auto result = storeEdited(identifier, std::move(slots), resolution.storable, system,
                              activeSpaceID, /*usesPlaceholders=*/true);
    if (result) {
        result->spaceIDReplacements = resolution.replacements;
    }
    return result;
}

bool DisplaySpaceOrderStore::hasOverride(const std::string& displayIdentifier) const {
    const std::string identifier = trimmingWhitespaceAndNewlines(displayIdentifier);
    if (identifier.empty()) {
        return false;
    }
    return defaults_.contains(layoutKey(identifier)) ||
           defaults_.contains(legacyOrderKey(identifier));
}

void DisplaySpaceOrderStore::clearOverride(const std::string& displayIdentifier) {
    const std::string identifier = trimmingWhitespaceAndNewlines(displayIdentifier);
    if (!hasOverride(identifier)) {
        return;
    }
    defaults_.remove(layoutKey(identifier));
    defaults_.remove(legacyOrderKey(identifier));
    revision.set(revision.value() + 1);
}

std::optional<std::vector<DisplaySpaceSlot>>
DisplaySpaceOrderStore::storedSlots(const std::string& displayIdentifier) const {
    auto stored = readLayout(trimmingWhitespaceAndNewlines(displayIdentifier));
    if (!stored) {
        return std::nullopt;
    }
    return std::move(stored->slots);
}

} // namespace tessarin
