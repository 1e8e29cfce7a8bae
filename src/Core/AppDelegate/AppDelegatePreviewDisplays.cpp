// Which screens preview which Spaces, the layouts a preview refresh works on, and whether
// previews may be refreshed at all.

#include "Core/AppDelegate/AppDelegate.h"
#include "Model/Spaces/ScreenIdentity.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Support/Text.h"
#include "TessarinCore/BridgeString.h"
#include "TessarinCore/ManagedDisplaySpacesHandle.h"

#include <algorithm>
#include <memory>
#include <set>

namespace tessarin {

namespace {

const OperatingSystemVersion kFirstSystemWithPreviewCaptures{14, 0, 0};

std::optional<std::string> sharedSpacesDisplayIdentifier() {
    return adoptBridgeString(tessarin_copy_display_identifier_with_spaces());
}

// Grid mode on, pictures wanted, and the system able and allowed to capture.
bool capturesPermitted(bool gridModeEnabled, const DisplayPresentationSettingsSnapshot& settings) {
    const SystemServices& system = Host::current().system();
    return gridModeEnabled && settings.screenshotsEnabled &&
           system.operatingSystemVersion().isAtLeast(kFirstSystemWithPreviewCaptures) &&
           system.preflightScreenCaptureAccess();
}

} // namespace

std::vector<AppDelegate::WindowPreviewDisplayItem> AppDelegate::windowPreviewDisplayItems() {
    const std::optional<std::string> shared =
        displaysHaveSeparateSpaces() ? std::nullopt : sharedSpacesDisplayIdentifier();
    std::vector<WindowPreviewDisplayItem> items;
    for (const Screen& screen : Host::current().displays().screens()) {
        const auto identifier = tessarinDisplayIdentifier(screen);
        if (!identifier) {
            continue;
        }
        items.push_back({*identifier, shared.value_or(*identifier), screen});
    }
    return items;
}

std::vector<AppDelegate::WindowPreviewDisplayItem>
AppDelegate::windowPreviewDisplayItems(const std::optional<std::string>& matching) {
    auto items = windowPreviewDisplayItems();
    const std::string wanted = matching ? trimmingWhitespaceAndNewlines(*matching) : "";
    if (wanted.empty()) {
        return items;
    }
    const std::optional<std::string> owner = spaceDisplayIdentifier(wanted);
    std::erase_if(items, [&](const WindowPreviewDisplayItem& item) {
        return item.previewDisplayIdentifier != wanted && item.spaceDisplayIdentifier != wanted &&
               item.spaceDisplayIdentifier != owner;
    });
    return items;
}

std::vector<std::string>
AppDelegate::previewDisplayIdentifiers(const std::string& spaceDisplayIdentifier) {
    std::set<std::string> identifiers{spaceDisplayIdentifier};
    for (const WindowPreviewDisplayItem& item : windowPreviewDisplayItems()) {
        if (item.spaceDisplayIdentifier == spaceDisplayIdentifier) {
            identifiers.insert(item.previewDisplayIdentifier);
        }
    }
    return {identifiers.begin(), identifiers.end()};
}

PreviewDisplaysBySpaceDisplay AppDelegate::previewDisplayIdentifiersBySpaceDisplayIdentifier(
    const std::vector<WindowPreviewDisplayItem>& items) {
    std::map<std::string, std::set<std::string>> grouped;
    for (const WindowPreviewDisplayItem& item : items) {
        grouped[item.spaceDisplayIdentifier].insert(item.previewDisplayIdentifier);
    }
    PreviewDisplaysBySpaceDisplay result;
    for (const auto& [spaceDisplay, previewDisplays] : grouped) {
        result.emplace(spaceDisplay,
                       std::vector<std::string>(previewDisplays.begin(), previewDisplays.end()));
    }
    return result;
}

std::map<std::string, DisplaySpaceOrderSnapshot>
AppDelegate::resolveWindowPreviewSnapshots(const std::vector<WindowPreviewDisplayItem>& items) {
    std::map<std::string, DisplaySpaceOrderSnapshot> snapshots;
    // One copy of the layout serves every display.
    const std::unique_ptr<TessarinManagedDisplaySpaces,
                          decltype(&tessarin_release_managed_display_spaces)>
        layout(tessarin_copy_managed_display_spaces(), &tessarin_release_managed_display_spaces);
    if (!layout) {
        return snapshots;
    }
    for (const WindowPreviewDisplayItem& item : items) {
        const std::string& display = item.spaceDisplayIdentifier;
        TessarinSpaceInfo live{};
        if (snapshots.contains(display) ||
            !tessarin_get_live_space_info_for_display_identifier_in_managed_display_spaces(
                layout.get(), display.c_str(), &live)) {
            continue;
        }
        if (auto resolved = resolveDisplaySpaceOrderSnapshotWithDescriptors(
                display, live.spaceCount, &managedDisplaySpacesContents(*layout))) {
            snapshots.emplace(display, std::move(resolved->displaySnapshot));
        }
    }
    return snapshots;
}

AppDelegate::WindowSpaceRefreshPlan
AppDelegate::windowSpaceRefreshPlan(const std::optional<std::string>& display) {
    const auto settings =
        presentationStore.snapshot(displaysHaveSeparateSpaces() ? display : std::nullopt);
    const bool gridMode = gridModeStore.isEnabled.value();
    return {gridMode, settings.screenshotCaptureMode == OSDGridScreenshotCaptureMode::window &&
                          capturesPermitted(gridMode, settings)};
}

bool AppDelegate::shouldPrimeWindowSpacePreviews(const std::string& display,
                                                 bool allowScreenModePreviews) {
    const auto settings = presentationStore.snapshot(
        displaysHaveSeparateSpaces() ? std::optional<std::string>(display) : std::nullopt);
    if (settings.screenshotCaptureMode == OSDGridScreenshotCaptureMode::screen &&
        !allowScreenModePreviews) {
        return false;
    }
    return capturesPermitted(gridModeStore.isEnabled.value(), settings);
}

} // namespace tessarin
