#include "Workspaces/WorkspaceSpaceSource.h"

#include "Platform/Host.h"
#include "Platform/SystemCalls.h"
#include "TessarinCore/BridgeString.h"
#include "TessarinCore/SpaceLayout.h"
#include "TessarinCore/TessarinCore.h"

namespace tessarin {

namespace {

std::optional<std::string> copyDisplayIdentifierWithSpaces() {
    return adoptBridgeString(tessarin_copy_display_identifier_with_spaces());
}

std::optional<std::string> copyActiveMenuBarDisplayIdentifier() {
    return adoptBridgeString(tessarin_copy_active_menu_bar_display_identifier());
}

std::optional<WorkspaceDisplaySpaces> readDisplaySpaces(const std::string& displayIdentifier) {
    const SystemCalls& calls = Host::current().calls();
    if (!calls.mainConnectionID || !calls.copyManagedDisplaySpaces) {
        return std::nullopt;
    }
    const int connection = calls.mainConnectionID();
    if (connection == 0) {
        return std::nullopt;
    }
    const auto lists = calls.copyManagedDisplaySpaces(connection);
    if (!lists) {
        return std::nullopt;
    }
    const ManagedDisplaySpaces* entry = bridge::findSpaceList(*lists, displayIdentifier);
    if (!entry || entry->spaces.empty()) {
        return std::nullopt;
    }
    WorkspaceDisplaySpaces result;
    for (const ManagedSpace& space : entry->spaces) {
        result.systemOrderedSpaceIDs.push_back(space.id64);
    }
    if (entry->currentSpace) {
        result.activeSpaceID = entry->currentSpace->id64;
    } else if (calls.activeSpace) {
        result.activeSpaceID = calls.activeSpace(connection);
    }
    return result;
}

} // namespace

WorkspaceSpaceSource WorkspaceSpaceSource::live() {
    return {copyDisplayIdentifierWithSpaces, readDisplaySpaces, copyActiveMenuBarDisplayIdentifier};
}

} // namespace tessarin
