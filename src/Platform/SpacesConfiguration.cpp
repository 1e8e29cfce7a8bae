#include "Platform/SpacesConfiguration.h"

#include "Platform/Preferences/Preferences.h"

namespace tessarin {

namespace K = SpacesConfigurationKey;

namespace {

PropertyDictionary spaceEntry(const ManagedSpace& space, const SpaceTitles& titles,
                              bool withTitle) {
    PropertyDictionary entry{
        {K::managedSpaceID, PropertyValue(static_cast<int64_t>(space.id64))},
        {K::id64, PropertyValue(static_cast<int64_t>(space.id64))},
        {K::uuid, PropertyValue(space.uuid)},
        {K::type, PropertyValue(space.type)},
    };
    if (withTitle) {
        if (const auto it = titles.find(space.id64); it != titles.end() && !it->second.empty()) {
            entry[K::title] = PropertyValue(it->second);
        }
    }
    return entry;
}

} // namespace

PropertyValue makeSpacesConfiguration(const std::vector<SpaceList>& lists,
                                      const SpaceTitles& titles) {
    PropertyArray monitors;
    for (const SpaceList& list : lists) {
        PropertyDictionary monitor{{K::displayIdentifier, PropertyValue(list.displayIdentifier)}};
        PropertyArray spaces;
        for (const ManagedSpace& space : list.spaces) {
            spaces.emplace_back(spaceEntry(space, titles, true));
            if (space.id64 == list.currentSpace) {
                monitor[K::currentSpace] = PropertyValue(spaceEntry(space, titles, false));
            }
        }
        monitor[K::spaces] = PropertyValue(std::move(spaces));
        monitors.emplace_back(std::move(monitor));
    }
    PropertyDictionary management{{K::monitors, PropertyValue(std::move(monitors))}};
    return PropertyValue(
        PropertyDictionary{{K::managementData, PropertyValue(std::move(management))}});
}

SpaceTitles spaceTitles(const PropertyValue& configuration) {
    SpaceTitles titles;
    const PropertyValue* management = configuration.member(K::managementData);
    const PropertyValue* monitors =
        management == nullptr ? nullptr : management->member(K::monitors);
    const PropertyArray* monitorList = monitors == nullptr ? nullptr : monitors->array();
    if (monitorList == nullptr) {
        return titles;
    }
    for (const PropertyValue& monitor : *monitorList) {
        const PropertyValue* spaces = monitor.member(K::spaces);
        const PropertyArray* spaceList = spaces == nullptr ? nullptr : spaces->array();
        if (spaceList == nullptr) {
            continue;
        }
        for (const PropertyValue& space : *spaceList) {
            const PropertyValue* id = space.member(K::managedSpaceID);
            const PropertyValue* title = space.member(K::title);
            if (id == nullptr || title == nullptr) {
                continue;
            }
            const auto number = id->integerValue();
            const auto text = title->stringValue();
            if (number && *number > 0 && text) {
                titles[static_cast<SpaceID>(*number)] = *text;
            }
        }
    }
    return titles;
}

SpaceTitles readSpaceTitles(const Preferences& preferences) {
    const auto configuration = preferences.appValue(K::configuration, K::domain);
    if (!configuration) {
        return {};
    }
    return spaceTitles(*configuration);
}

void writeSpacesConfiguration(Preferences& preferences, const std::vector<SpaceList>& lists,
                              const SpaceTitles& changedTitles) {
    SpaceTitles titles = readSpaceTitles(preferences);
    for (const auto& [id, title] : changedTitles) {
        if (title.empty()) {
            titles.erase(id);
        } else {
            titles[id] = title;
        }
    }
    preferences.setAppValue(K::configuration, makeSpacesConfiguration(lists, titles), K::domain);
}

} // namespace tessarin
