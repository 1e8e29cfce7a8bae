#include "Model/Health/SpacesAutoRearrangeSetting.h"

#include "Platform/Host.h"
#include "Platform/Preferences/Preferences.h"

namespace tessarin {

std::optional<bool> spacesAutoRearrangeValue(const std::optional<PropertyValue>& value) {
    if (!value) {
        return std::nullopt;
    }
    if (const auto boolean = value->boolValue()) {
        return boolean;
    }
    if (const auto number = value->doubleValue()) {
        return *number != 0;
    }
    return std::nullopt;
}

std::optional<bool> systemSpacesAutoRearrangeEnabled() {
    return spacesAutoRearrangeValue(
        Host::current().preferences().copyAppValue("mru-spaces", "com.apple.dock"));
}

} // namespace tessarin
