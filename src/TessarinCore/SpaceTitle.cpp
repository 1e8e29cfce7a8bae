#include "TessarinCore/SpaceTitle.h"

#include "Platform/SpacesConfiguration.h"
#include "Support/Text.h"

namespace tessarin::bridge {

namespace {

std::optional<std::string>
configuredTitle(const ManagedSpace& space,
                const std::optional<PropertyValue>& spacesConfiguration) {
    if (!spacesConfiguration) {
        return std::nullopt;
    }
    const SpaceTitles titles = spaceTitles(*spacesConfiguration);
    const auto found = titles.find(space.id64);
    if (found == titles.end() || isBlank(found->second)) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace

std::optional<std::string> spaceTitle(const ManagedDisplaySpaces& entry, const ManagedSpace& space,
                                      const std::optional<PropertyValue>& spacesConfiguration) {
    const auto own = entry.ownTitles.find(space.id64);
    if (own != entry.ownTitles.end() && !isBlank(own->second)) {
        return own->second;
    }
    return configuredTitle(space, spacesConfiguration);
}

} // namespace tessarin::bridge
