// The delegate as its own cell-content caches: the window-Space, icon and screenshot
// controllers it owns, read and rekeyed through one interface.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Previews/OSDGridScreenshotController.h"
#include "Model/Spaces/ScreenIdentity.h"
#include "Platform/Host.h"
#include "Support/BackgroundWork.h"
#include "Support/Executor.h"

namespace tessarin {

namespace {

constexpr std::size_t kPreviewWorkerCount = 2;

template <class Entry> std::map<int64_t, Entry> widenedKeys(std::map<int, Entry> map) {
    std::map<int64_t, Entry> widened;
    for (auto& [index, entry] : map) {
        widened.emplace(index, std::move(entry));
    }
    return widened;
}

} // namespace

void AppDelegate::makeWindowPreviewCaches(std::shared_ptr<Executor> executor) {
    if (!executor) {
        executor = std::make_shared<ThreadPoolExecutor>(kPreviewWorkerCount);
    }
    previewWork = std::make_unique<BackgroundWork>(Host::current().queue(), std::move(executor));
    const auto filter = [this] { return appFilter; };
    gridWindowSpaceController = std::make_unique<OSDGridWindowSpaceController>(filter);
    gridWindowSpaceController->previewCaptureHandler =
        OSDGridWindowSpaceController::defaultPreviewCaptureHandler(*previewWork);
    gridAppIconController = std::make_unique<OSDGridAppIconController>(
        OSDGridAppIconController::defaultDisplayIdentifierProvider(),
        OSDGridAppIconController::defaultSpaceInfoProvider(),
        OSDGridAppIconController::defaultFrontmostSourceProvider(),
        OSDGridAppIconController::makeDefaultIgnoredBundleIdentifiers(),
        OSDGridAppIconController::makeDefaultIgnoredTitleBundleIdentifiers(), filter);
    gridScreenshotController = std::make_unique<OSDGridScreenshotController>(*previewWork);
}

bool AppDelegate::isWindowlessSpace(const std::string& displayIdentifier, SpaceID spaceID) {
    return gridAppIconController->isWindowlessSpace(displayIdentifier, spaceID);
}

void AppDelegate::refreshWindowMetadata(const DisplaySpaceOrderSnapshot& snapshot) {
    recordWindowMetadataSources(gridWindowSpaceController->refreshMetadata(snapshot), snapshot);
}

void AppDelegate::recordWindowMetadataSources(const OSDGridWindowSpaceController::Sources& sources,
                                              const DisplaySpaceOrderSnapshot& snapshot) {
    gridAppIconController->recordWindowMetadataSources(sources, snapshot);
}

void AppDelegate::remapSpaceDisplayCaches(const std::string& spaceDisplayIdentifier,
                                          const std::map<SpaceID, SpaceID>& replacements) {
    gridAppIconController->remapSpaceIDs(replacements, spaceDisplayIdentifier);
    gridWindowSpaceController->remapSpaceIDs(replacements, spaceDisplayIdentifier);
    windowPreviewRefreshScheduler.remapSpaceIDs(replacements, spaceDisplayIdentifier);
}

void AppDelegate::remapPreviewDisplayCaches(const std::string& previewDisplayIdentifier,
                                            const std::map<SpaceID, SpaceID>& replacements) {
    gridScreenshotController->remapSpaceIDs(replacements, previewDisplayIdentifier);
    gridWindowSpaceController->remapPreviewSpaceIDs(replacements, previewDisplayIdentifier);
}

void AppDelegate::clearScheduledPreviewRefreshes() {
    windowPreviewRefreshScheduler.clear();
}

std::optional<TimeInterval> AppDelegate::nextPreviewRefreshDeadline() {
    return windowPreviewRefreshScheduler.nextRefreshDeadline();
}

std::optional<OSDGridSpaceContext> AppDelegate::currentGridSpaceContext() {
    if (const auto target = gridScreenshotController->captureTargetProvider()) {
        return target->context;
    }
    return gridAppIconController->currentContext();
}

std::map<int64_t, OSDGridSpaceTitleEntry>
AppDelegate::mappedTitleEntries(const std::string& displayIdentifier,
                                const std::vector<SpaceID>& orderedSpaceIDs) {
    return gridAppIconController->mappedTitleEntries(displayIdentifier, orderedSpaceIDs);
}

std::map<int64_t, OSDGridAppIconEntry>
AppDelegate::mappedIconEntries(const std::string& displayIdentifier,
                               const std::vector<SpaceID>& orderedSpaceIDs) {
    return gridAppIconController->mappedIconEntries(displayIdentifier, orderedSpaceIDs);
}

std::optional<OSDGridAppIconEntry> AppDelegate::finderFallbackIconEntry() {
    return gridWindowSpaceController->finderIcon();
}

std::map<int64_t, OSDGridScreenshotEntry>
AppDelegate::screenshotMap(const std::string& displayIdentifier,
                           const std::vector<SpaceID>& orderedSpaceIDs) {
    return gridScreenshotController->screenshotMap(displayIdentifier, orderedSpaceIDs);
}

std::map<int64_t, OSDGridScreenshotEntry>
AppDelegate::previewMap(const std::string& previewDisplayIdentifier,
                        const std::vector<SpaceID>& orderedSpaceIDs) {
    return widenedKeys(
        gridWindowSpaceController->previewMap(previewDisplayIdentifier, orderedSpaceIDs));
}

std::map<int64_t, std::vector<OSDGridAppIconEntry>>
AppDelegate::iconStackMap(const std::string& displayIdentifier,
                          const std::vector<SpaceID>& orderedSpaceIDs) {
    return widenedKeys(gridWindowSpaceController->iconStackMap(displayIdentifier, orderedSpaceIDs));
}

std::optional<OSDGridSpaceContext> AppDelegate::recordFrontmostApplicationForCurrentSpace() {
    return gridAppIconController->recordFrontmostApplication();
}

std::optional<OSDGridSpaceContext>
AppDelegate::recordActivatedApplication(const std::optional<RunningApplication>& application) {
    return gridAppIconController->recordActivatedApplication(application);
}

void AppDelegate::pruneFilteredEntries() {
    gridAppIconController->pruneFilteredEntries();
    gridWindowSpaceController->pruneFilteredEntries();
    // Composed previews may show filtered windows: they are composed again.
    gridWindowSpaceController->clearPreviews();
}

void AppDelegate::recordNewSpacePreviews(const std::string& spaceDisplayIdentifier,
                                         SpaceID spaceID) {
    for (const std::string& preview : previewDisplayIdentifiers(spaceDisplayIdentifier)) {
        gridWindowSpaceController->recordWindowlessPreview(spaceID, preview,
                                                           tessarinScreen(preview));
    }
}

std::optional<std::vector<WindowPreviewRefreshRequest>>
AppDelegate::primeWindowPreviewsIfNeeded(OSDGridScreenshotTiming timing, TimeInterval now,
                                         const std::function<double()>& randomFraction) {
    const auto items = windowPreviewDisplayItems();
    const auto snapshots = resolveWindowPreviewSnapshots(items);
    if (snapshots.empty()) {
        return std::nullopt;
    }
    std::vector<DisplaySpaceOrderSnapshot> layouts;
    for (const auto& [display, snapshot] : snapshots) {
        layouts.push_back(snapshot);
    }
    return windowPreviewRefreshScheduler.primeWindowPreviewsIfNeeded(
        layouts, previewDisplayIdentifiersBySpaceDisplayIdentifier(items), timing, now,
        randomFraction);
}

} // namespace tessarin
