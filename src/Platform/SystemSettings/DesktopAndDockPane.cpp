#include "Platform/SystemSettings/DesktopAndDockPane.h"

#include "Platform/Preferences/Preferences.h"
#include "Platform/WindowServer.h"

namespace tessarin {

DesktopAndDockPane::DesktopAndDockPane(Preferences& preferences, WindowServer& windows)
    : preferences_(preferences), windows_(windows) {}

bool DesktopAndDockPane::automaticallyRearrangesSpaces() const {
    const auto value = preferences_.copyAppValue(kAutomaticallyRearrangeKey, kDockDomain);
    if (!value) {
        return true;
    }
    if (const auto flag = value->boolValue()) {
        return *flag;
    }
    const auto number = value->doubleValue();
    return !number || *number != 0;
}

void DesktopAndDockPane::setAutomaticallyRearrangesSpaces(bool on) {
    preferences_.setAppValue(kAutomaticallyRearrangeKey, PropertyValue(on), kDockDomain);
    preferences_.appSynchronize(kDockDomain);
}

bool DesktopAndDockPane::displaysHaveSeparateSpaces() const {
    return windows_.displaysHaveSeparateSpaces();
}

void DesktopAndDockPane::setDisplaysHaveSeparateSpaces(bool on) {
    preferences_.setAppValue(kSpansDisplaysKey, PropertyValue(!on), kSpacesDomain);
    preferences_.appSynchronize(kSpacesDomain);
    windows_.setDisplaysHaveSeparateSpaces(on);
}

} // namespace tessarin
