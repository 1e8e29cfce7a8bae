#include "TessarinCore/SpaceTitle.h"

#include "Platform/SpacesConfiguration.h"
#include "Support/Text.h"

namespace tessarin::bridge {

namespace {

SpaceTitles configuredTitles(const PropertyValue* spacesConfiguration) {
    return spacesConfiguration ? spaceTitles(*spacesConfiguration) : SpaceTitles{};
}

std::optional<std::string> titleOf(const ManagedDisplaySpaces& entry, const ManagedSpace& space,
                                   const SpaceTitles& configured) {
    const auto own = entry.ownTitles.find(space.id64);
    if (own != entry.ownTitles.end() && !isBlank(own->second)) {
        return own->second;
    }
    const auto found = configured.find(space.id64);
    if (found == configured.end() || isBlank(found->second)) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace

std::optional<std::string> spaceTitle(const ManagedDisplaySpaces& entry, const ManagedSpace& space,
                                      const PropertyValue* spacesConfiguration) {
    return titleOf(entry, space, configuredTitles(spacesConfiguration));
}

std::vector<std::optional<std::string>>
spaceTitlesInOrder(const ManagedDisplaySpaces& entry, const PropertyValue* spacesConfiguration) {
    const SpaceTitles configured = configuredTitles(spacesConfiguration);
    std::vector<std::optional<std::string>> titles;
    titles.reserve(entry.spaces.size());
    for (const ManagedSpace& space : entry.spaces) {
        titles.push_back(titleOf(entry, space, configured));
    }
    return titles;
}

} // namespace tessarin::bridge
