#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessarin {

class DirectSlotMetadataStore;

// The title of a display's current Space: the custom name of its direct slot (slots 1 to 10)
// when one is stored for the display, else "Space " and its 1-based position.
namespace PersistentTitleOverlayTitleResolver {

std::optional<std::string> resolve(std::int64_t activeVisualIndex,
                                   const std::optional<std::string>& metadataDisplayIdentifier,
                                   const DirectSlotMetadataStore& directSlotMetadataStore);

} // namespace PersistentTitleOverlayTitleResolver

} // namespace tessarin
