#include "UI/Overlays/PersistentTitleOverlayTitleResolver.h"

#include "Model/Spaces/DirectSlotMetadataStore.h"

namespace tessarin::PersistentTitleOverlayTitleResolver {

std::optional<std::string> resolve(std::int64_t activeVisualIndex,
                                   const std::optional<std::string>& metadataDisplayIdentifier,
                                   const DirectSlotMetadataStore& directSlotMetadataStore) {
    if (activeVisualIndex < 0) {
        return std::nullopt;
    }
    const std::int64_t slot = activeVisualIndex + 1;
    if (metadataDisplayIdentifier && slot <= 10) {
        const DirectSlotMetadata metadata =
            directSlotMetadataStore.metadata(*metadataDisplayIdentifier, static_cast<int>(slot));
        if (metadata.name) {
            return *metadata.name;
        }
    }
    return "Space " + std::to_string(slot);
}

} // namespace tessarin::PersistentTitleOverlayTitleResolver
