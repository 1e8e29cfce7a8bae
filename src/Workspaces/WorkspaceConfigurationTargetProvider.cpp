#include "Workspaces/WorkspaceConfigurationTargetProvider.h"

#include "Model/Settings/GridModeStore.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Model/Spaces/DisplaySpaceOrderStore.h"
#include "Support/Text.h"

#include <cstdio>
#include <map>
#include <set>

namespace tessarin {

namespace {

struct Collaborators {
    const GridModeStore& gridModeStore;
    const DirectSlotMetadataStore& directSlotMetadataStore;
    DisplaySpaceOrderStore& spaceOrderStore;
};

std::string numberedSpaceTitle(int position) {
    char text[32];
    std::snprintf(text, sizeof text, "Space %02d", position);
    return text;
}

std::string optionTitle(int visualIndex, const std::optional<std::string>& metadataDisplay,
                        const DirectSlotMetadataStore& metadataStore) {
    const int slot = visualIndex + 1;
    if (metadataDisplay && slot >= DirectSlotMetadataStore::firstSlotIndex &&
        slot <= DirectSlotMetadataStore::lastSlotIndex) {
        if (auto name = metadataStore.metadata(*metadataDisplay, slot).name) {
            return *name;
        }
    }
    return numberedSpaceTitle(slot);
}

// The target for one set of Spaces, or nothing when the display lists none.
std::optional<WorkspaceConfigurationTarget>
makeTarget(WorkspaceTargetKey key, const std::string& displayIdentifier,
           const std::optional<std::string>& metadataDisplay, std::string title,
           const std::optional<WorkspaceDisplaySpaces>& spaces, std::set<SpaceID> otherSpaceIDs,
           const Collaborators& stores) {
    if (!spaces || spaces->systemOrderedSpaceIDs.empty()) {
        return std::nullopt;
    }
    DisplaySpaceOrderStore::ResolutionContext context;
    context.otherSpaceIDs = std::move(otherSpaceIDs);
    // Pad for the names the options will show, not for some other display's names.
    context.pinnedSlotCount =
        metadataDisplay
            ? stores.directSlotMetadataStore.highestNamedSlotIndex(*metadataDisplay).value_or(0)
            : 0;
    const DisplaySpaceOrderSnapshot layout = stores.spaceOrderStore.snapshot(
        displayIdentifier, spaces->systemOrderedSpaceIDs, spaces->activeSpaceID,
        stores.gridModeStore.usePlaceholders(displayIdentifier), context);

    WorkspaceConfigurationTarget target{
        std::move(key), displayIdentifier, metadataDisplay, std::move(title), {}};
    for (int index = 0; index < layout.slotCount(); ++index) {
        if (layout.visualSlots[static_cast<std::size_t>(index)].isReal()) {
            target.spaceOptions.push_back(
                {index, optionTitle(index, metadataDisplay, stores.directSlotMetadataStore)});
        }
    }
    return target;
}

std::vector<WorkspaceConfigurationTarget>
separateTargets(const std::vector<TessarinDisplay>& displays, const WorkspaceSpaceSource& source,
                const Collaborators& stores) {
    std::map<std::string, std::optional<WorkspaceDisplaySpaces>> spacesByDisplay;
    for (const TessarinDisplay& display : displays) {
        if (!isBlank(display.identifier) && source.spaces) {
            spacesByDisplay[display.identifier] = source.spaces(display.identifier);
        }
    }
    std::vector<WorkspaceConfigurationTarget> targets;
    for (const TessarinDisplay& display : displays) {
        const auto found = spacesByDisplay.find(display.identifier);
        if (found == spacesByDisplay.end()) {
            continue;
        }
        std::set<SpaceID> otherSpaceIDs;
        for (const auto& [identifier, spaces] : spacesByDisplay) {
            if (identifier != display.identifier && spaces) {
                otherSpaceIDs.insert(spaces->systemOrderedSpaceIDs.begin(),
                                     spaces->systemOrderedSpaceIDs.end());
            }
        }
        if (auto target = makeTarget(WorkspaceTargetKey::display(display.identifier),
                                     display.identifier, display.identifier, display.name,
                                     found->second, std::move(otherSpaceIDs), stores)) {
            targets.push_back(std::move(*target));
        }
    }
    return targets;
}

std::vector<WorkspaceConfigurationTarget>
sharedTargets(const std::vector<TessarinDisplay>& displays, const WorkspaceSpaceSource& source,
              const Collaborators& stores) {
    std::optional<std::string> firstDisplay;
    if (!displays.empty()) {
        firstDisplay = displays.front().identifier;
    }
    // The names come from where the Keyboard page writes them for shared Spaces.
    std::optional<std::string> metadataDisplay;
    if (source.activeMenuBarDisplayIdentifier) {
        metadataDisplay = source.activeMenuBarDisplayIdentifier();
    }
    if (!metadataDisplay || isBlank(*metadataDisplay)) {
        metadataDisplay = firstDisplay;
    }
    std::optional<std::string> spacesDisplay;
    if (source.displayIdentifierWithSpaces) {
        spacesDisplay = source.displayIdentifierWithSpaces();
    }
    if (!spacesDisplay || isBlank(*spacesDisplay)) {
        spacesDisplay = firstDisplay;
    }
    if (!spacesDisplay || isBlank(*spacesDisplay) || !source.spaces) {
        return {};
    }
    auto target = makeTarget(WorkspaceTargetKey::sharedSpaces(), *spacesDisplay, metadataDisplay,
                             WorkspaceConfigurationTargetProvider::sharedSpacesTitle,
                             source.spaces(*spacesDisplay), {}, stores);
    if (!target) {
        return {};
    }
    return {std::move(*target)};
}

} // namespace

std::vector<WorkspaceConfigurationTarget> WorkspaceConfigurationTargetProvider::liveTargets(
    bool displaysHaveSeparateSpaces, const std::vector<TessarinDisplay>& connectedDisplays,
    const GridModeStore& gridModeStore, const DirectSlotMetadataStore& directSlotMetadataStore,
    DisplaySpaceOrderStore& spaceOrderStore, const WorkspaceSpaceSource& spaceSource) {
    const Collaborators stores{gridModeStore, directSlotMetadataStore, spaceOrderStore};
    if (displaysHaveSeparateSpaces) {
        return separateTargets(connectedDisplays, spaceSource, stores);
    }
    return sharedTargets(connectedDisplays, spaceSource, stores);
}

} // namespace tessarin
