#include "Core/Previews/OSDGridAppIconController.h"

#include "Core/Previews/OSDGridIconImage.h"
#include "Model/Spaces/ScreenIdentity.h"
#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/Accessibility.h"
#include "Platform/AccessibilityNames.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/ScreenCapture/ApplicationWindowTitles.h"
#include "Platform/SystemServices.h"
#include "Support/Text.h"
#include "TessarinCore/BridgeString.h"

namespace tessarin {

namespace {

std::optional<std::string> trimmedNonEmpty(const std::optional<std::string>& text) {
    if (!text) {
        return std::nullopt;
    }
    std::string trimmed = trimmingWhitespaceAndNewlines(*text);
    return trimmed.empty() ? std::nullopt : std::optional(std::move(trimmed));
}

std::optional<std::string> programBundleIdentifier() {
    const auto& identifier = Host::current().programBundle().identifier();
    return identifier && !identifier->empty() ? identifier : std::nullopt;
}

// Moves the value under `from` to `to` for every real replacement; true when any moved.
template <typename Map>
bool remapKeys(Map& entries, const std::map<SpaceID, SpaceID>& replacements) {
    bool moved = false;
    for (const auto& [from, to] : replacements) {
        const auto it = entries.find(from);
        if (from == 0 || to == 0 || from == to || it == entries.end()) {
            continue;
        }
        auto value = std::move(it->second);
        entries.erase(it);
        entries.insert_or_assign(to, std::move(value));
        moved = true;
    }
    return moved;
}

template <typename Entry>
std::map<int64_t, Entry> mapped(const std::map<std::string, std::map<SpaceID, Entry>>& caches,
                                const std::string& displayIdentifier,
                                const std::vector<SpaceID>& orderedSpaceIDs) {
    std::map<int64_t, Entry> result;
    const auto display = caches.find(displayIdentifier);
    if (displayIdentifier.empty() || display == caches.end()) {
        return result;
    }
    for (std::size_t i = 0; i < orderedSpaceIDs.size(); ++i) {
        if (orderedSpaceIDs[i] == 0) {
            continue;
        }
        if (const auto it = display->second.find(orderedSpaceIDs[i]); it != display->second.end()) {
            result.emplace(static_cast<int64_t>(i), it->second);
        }
    }
    return result;
}

} // namespace

OSDGridAppIconController::OSDGridAppIconController(
    DisplayIdentifierProvider displayIdentifierProvider, SpaceInfoProvider spaceInfoProvider,
    SourceProvider frontmostSourceProvider, std::set<std::string> ignoredBundleIdentifiers,
    std::set<std::string> ignoredTitleBundleIdentifiers, AppFilterProvider appFilterProvider)
    : displayIdentifierProvider_(std::move(displayIdentifierProvider)),
      spaceInfoProvider_(std::move(spaceInfoProvider)),
      frontmostSourceProvider_(std::move(frontmostSourceProvider)),
      ignoredBundleIdentifiers_(std::move(ignoredBundleIdentifiers)),
      ignoredTitleBundleIdentifiers_(std::move(ignoredTitleBundleIdentifiers)),
      appFilterProvider_(std::move(appFilterProvider)) {}

OSDGridAppIconController::DisplayIdentifierProvider
OSDGridAppIconController::defaultDisplayIdentifierProvider() {
    return []() -> std::optional<std::string> {
        const auto screen = tessarinScreenContainingMouse();
        std::optional<std::string> identifier =
            screen ? tessarinDisplayIdentifier(*screen) : std::nullopt;
        if (!screen) {
            return std::nullopt;
        }
        const auto screenCount = static_cast<uint32_t>(Host::current().displays().screens().size());
        if (!tessarin_displays_have_separate_spaces(screenCount)) {
            if (auto shared = adoptBridgeString(tessarin_copy_display_identifier_with_spaces())) {
                identifier = std::move(shared);
            }
        }
        return identifier;
    };
}

OSDGridAppIconController::SpaceInfoProvider OSDGridAppIconController::defaultSpaceInfoProvider() {
    return []() -> std::optional<TessarinSpaceInfo> {
        TessarinSpaceInfo info{};
        return tessarin_get_space_info(&info) ? std::optional(info) : std::nullopt;
    };
}

std::optional<std::string> OSDGridAppIconController::accessibilityWindowTitle(int32_t pid) {
    const Accessibility& accessibility = Host::current().accessibility();
    if (!accessibility.isProcessTrusted()) {
        return std::nullopt;
    }
    const AccessibilityElement application = accessibility.createApplication(pid);
    for (const char* attribute :
         {AccessibilityWindowAttribute::focusedWindow, AccessibilityWindowAttribute::mainWindow}) {
        const auto window = accessibility.copyAttributeValue(application, attribute);
        const auto* element =
            window.value ? std::get_if<AccessibilityElement>(&*window.value) : nullptr;
        if (element == nullptr) {
            continue;
        }
        const auto title =
            accessibility.copyAttributeValue(*element, AccessibilityAttribute::title);
        return title.value ? accessibilityString(*title.value) : std::nullopt;
    }
    return std::nullopt;
}

OSDGridAppIconController::SourceProvider
OSDGridAppIconController::defaultFrontmostSourceProvider() {
    return []() -> std::optional<OSDGridAppIconSource> {
        const auto application = Host::current().system().frontmostApplication();
        const auto title =
            application ? accessibilityWindowTitle(application->processIdentifier) : std::nullopt;
        return OSDGridAppIconSource::make(application, title);
    };
}

std::set<std::string> OSDGridAppIconController::makeDefaultIgnoredBundleIdentifiers() {
    std::set<std::string> ignored{"com.apple.dock", "com.apple.finder"};
    if (const auto own = programBundleIdentifier()) {
        ignored.insert(*own);
    }
    return ignored;
}

std::set<std::string> OSDGridAppIconController::makeDefaultIgnoredTitleBundleIdentifiers() {
    std::set<std::string> ignored{"com.apple.dock"};
    if (const auto own = programBundleIdentifier()) {
        ignored.insert(*own);
    }
    return ignored;
}

std::optional<OSDGridSpaceContext> OSDGridAppIconController::currentContext() const {
    const auto identifier =
        displayIdentifierProvider_ ? displayIdentifierProvider_() : std::nullopt;
    if (!identifier) {
        return std::nullopt;
    }
    const std::string trimmed = trimmingWhitespaceAndNewlines(*identifier);
    const auto info = spaceInfoProvider_ ? spaceInfoProvider_() : std::nullopt;
    if (!info || trimmed.empty() || info->currentSpaceID == 0 || info->spaceCount == 0 ||
        info->currentIndex >= info->spaceCount) {
        return std::nullopt;
    }
    return OSDGridSpaceContext{trimmed, info->currentSpaceID, static_cast<int>(info->currentIndex),
                               static_cast<int>(info->spaceCount)};
}

bool OSDGridAppIconController::isWindowlessSpace(const std::string& displayIdentifier,
                                                 SpaceID spaceID) const {
    const std::string trimmed = trimmingWhitespaceAndNewlines(displayIdentifier);
    const auto it = windowlessSpaceIDsByDisplayIdentifier_.find(trimmed);
    return !trimmed.empty() && spaceID != 0 && it != windowlessSpaceIDsByDisplayIdentifier_.end() &&
           it->second.contains(spaceID);
}

std::optional<OSDGridSpaceContext>
OSDGridAppIconController::recordIfNotWindowless(const SourceProvider& makeSource) {
    const auto context = currentContext();
    if (!context || isWindowlessSpace(context->displayIdentifier, context->spaceID)) {
        return context;
    }
    const auto source = makeSource();
    recordTitle(source, *context, false);
    recordIcon(source, *context, false);
    return context;
}

std::optional<OSDGridSpaceContext> OSDGridAppIconController::recordFrontmostApplication() {
    return recordIfNotWindowless(frontmostSourceProvider_);
}

std::optional<OSDGridSpaceContext> OSDGridAppIconController::recordActivatedApplication(
    const std::optional<RunningApplication>& application) {
    return recordIfNotWindowless([&application]() -> std::optional<OSDGridAppIconSource> {
        const auto title =
            application ? accessibilityWindowTitle(application->processIdentifier) : std::nullopt;
        return OSDGridAppIconSource::make(application, title);
    });
}

void OSDGridAppIconController::recordWindowMetadataSource(const OSDGridAppIconSource& source,
                                                          const OSDGridSpaceContext& context) {
    if (trimmingWhitespaceAndNewlines(context.displayIdentifier).empty() || context.spaceID == 0) {
        return;
    }
    setWindowlessSpace(source.isWindowlessFallback, context);
    recordTitle(source, context, true);
    recordIcon(source, context, source.isWindowlessFallback);
}

void OSDGridAppIconController::recordWindowMetadataSources(
    const std::map<SpaceID, OSDGridAppIconSource>& sources,
    const DisplaySpaceOrderSnapshot& snapshot) {
    const std::string display = trimmingWhitespaceAndNewlines(snapshot.displayIdentifier);
    for (const auto& [spaceID, source] : sources) {
        const auto index = snapshot.stableSpaceIDToVisualIndex.find(spaceID);
        if (display.empty() || spaceID == 0 || index == snapshot.stableSpaceIDToVisualIndex.end() ||
            index->second < 0 || index->second >= snapshot.slotCount()) {
            continue;
        }
        recordWindowMetadataSource(source, {display, spaceID, index->second, snapshot.slotCount()});
    }
}

void OSDGridAppIconController::setWindowlessSpace(bool windowless,
                                                  const OSDGridSpaceContext& context) {
    if (windowless) {
        windowlessSpaceIDsByDisplayIdentifier_[context.displayIdentifier].insert(context.spaceID);
        return;
    }
    const auto it = windowlessSpaceIDsByDisplayIdentifier_.find(context.displayIdentifier);
    if (it != windowlessSpaceIDsByDisplayIdentifier_.end()) {
        it->second.erase(context.spaceID);
        if (it->second.empty()) {
            windowlessSpaceIDsByDisplayIdentifier_.erase(it);
        }
    }
}

bool OSDGridAppIconController::shouldFilter(const OSDGridAppIconSource& source) const {
    const OSDAppFilter filter = appFilterProvider_ ? appFilterProvider_() : OSDAppFilter();
    if (filter.matchEntries.empty()) {
        return false;
    }
    return filter.matchesCandidate(source.appDisplayName) ||
           filter.matchesCandidate(source.windowTitle);
}

std::optional<OSDGridAppIconEntry>
OSDGridAppIconController::makeEntry(const std::optional<OSDGridAppIconSource>& source) const {
    if (!source || !source->icon) {
        return std::nullopt;
    }
    const auto bundle = trimmedNonEmpty(source->bundleIdentifier);
    if (!bundle || ignoredBundleIdentifiers_.contains(*bundle)) {
        return std::nullopt;
    }
    const std::string name = trimmedNonEmpty(source->appDisplayName).value_or(*bundle);
    return OSDGridAppIconEntry{*bundle, name, icons_.make(*source->icon)};
}

bool OSDGridAppIconController::recordIcon(const std::optional<OSDGridAppIconSource>& source,
                                          const OSDGridSpaceContext& context,
                                          bool clearsIconWhenMissing) {
    if (source && shouldFilter(*source)) {
        return clearRecordedMetadata(context.displayIdentifier, context.spaceID);
    }
    auto& entries = cacheByDisplayIdentifier_[context.displayIdentifier];
    if (auto entry = makeEntry(source)) {
        const auto it = entries.find(context.spaceID);
        if (it != entries.end() && it->second == *entry) {
            return false;
        }
        TessarinSpaceDiagnostics::logIconRecorded(context.displayIdentifier, context.spaceID,
                                                  entry->appDisplayName, entry->bundleIdentifier);
        entries.insert_or_assign(context.spaceID, std::move(*entry));
        return true;
    }
    return clearsIconWhenMissing && entries.erase(context.spaceID) > 0;
}

std::optional<OSDGridSpaceTitleEntry>
OSDGridAppIconController::makeTitleEntry(const OSDGridAppIconSource& source) const {
    const auto bundle = trimmedNonEmpty(source.bundleIdentifier);
    if (!bundle || ignoredTitleBundleIdentifiers_.contains(*bundle)) {
        return std::nullopt;
    }
    OSDGridSpaceTitleEntry entry{trimmedNonEmpty(source.windowTitle),
                                 trimmedNonEmpty(source.appDisplayName)};
    if (!entry.windowTitle && !entry.appDisplayName) {
        return std::nullopt;
    }
    return entry;
}

bool OSDGridAppIconController::shouldPreserveExistingWindowTitle(
    const std::optional<OSDGridSpaceTitleEntry>& existing, const OSDGridSpaceTitleEntry& incoming,
    const OSDGridAppIconSource& source, const OSDGridSpaceContext& context) const {
    if (source.isWindowlessFallback || incoming.windowTitle || !existing ||
        !existing->windowTitle) {
        return false;
    }
    const auto icon = iconEntry(context.displayIdentifier, context.spaceID);
    const auto recordedBundle =
        icon ? trimmedNonEmpty(icon->bundleIdentifier) : std::optional<std::string>();
    const auto incomingBundle = trimmedNonEmpty(source.bundleIdentifier);
    if (recordedBundle && incomingBundle) {
        return *recordedBundle == *incomingBundle;
    }
    const auto existingName = trimmedNonEmpty(existing->appDisplayName);
    const auto incomingName = trimmedNonEmpty(incoming.appDisplayName);
    if (existingName && incomingName) {
        return *existingName == *incomingName;
    }
    return true;
}

bool OSDGridAppIconController::recordTitle(const std::optional<OSDGridAppIconSource>& source,
                                           const OSDGridSpaceContext& context,
                                           bool preservesExistingWindowTitleWhenMissing) {
    if (source && shouldFilter(*source)) {
        return clearRecordedMetadata(context.displayIdentifier, context.spaceID);
    }
    auto& entries = titleCacheByDisplayIdentifier_[context.displayIdentifier];
    if (!source) {
        return false;
    }
    auto entry = makeTitleEntry(*source);
    if (!entry) {
        return false;
    }
    const auto it = entries.find(context.spaceID);
    const std::optional<OSDGridSpaceTitleEntry> existing =
        it == entries.end() ? std::nullopt : std::optional(it->second);
    if (preservesExistingWindowTitleWhenMissing &&
        shouldPreserveExistingWindowTitle(existing, *entry, *source, context)) {
        return false;
    }
    if (existing == entry) {
        return false;
    }
    TessarinSpaceDiagnostics::logTitleRecorded(context.displayIdentifier, context.spaceID,
                                               entry->windowTitle, entry->appDisplayName);
    entries.insert_or_assign(context.spaceID, std::move(*entry));
    return true;
}

bool OSDGridAppIconController::clearRecordedMetadata(const std::string& displayIdentifier,
                                                     SpaceID spaceID) {
    bool removed = false;
    const auto clear = [&](auto& caches) {
        const auto display = caches.find(displayIdentifier);
        if (display == caches.end()) {
            return;
        }
        removed = display->second.erase(spaceID) > 0 || removed;
        if (display->second.empty()) {
            caches.erase(display);
        }
    };
    clear(titleCacheByDisplayIdentifier_);
    clear(cacheByDisplayIdentifier_);
    return removed;
}

std::optional<OSDGridAppIconEntry>
OSDGridAppIconController::iconEntry(const std::string& displayIdentifier, SpaceID spaceID) const {
    const auto display = cacheByDisplayIdentifier_.find(displayIdentifier);
    if (displayIdentifier.empty() || spaceID == 0 || display == cacheByDisplayIdentifier_.end()) {
        return std::nullopt;
    }
    const auto it = display->second.find(spaceID);
    return it == display->second.end() ? std::nullopt : std::optional(it->second);
}

std::map<int64_t, OSDGridAppIconEntry>
OSDGridAppIconController::mappedIconEntries(const std::string& displayIdentifier,
                                            const std::vector<SpaceID>& orderedSpaceIDs) const {
    return mapped(cacheByDisplayIdentifier_, displayIdentifier, orderedSpaceIDs);
}

std::map<int64_t, OSDGridSpaceTitleEntry>
OSDGridAppIconController::mappedTitleEntries(const std::string& displayIdentifier,
                                             const std::vector<SpaceID>& orderedSpaceIDs) const {
    return mapped(titleCacheByDisplayIdentifier_, displayIdentifier, orderedSpaceIDs);
}

bool OSDGridAppIconController::pruneFilteredEntries() {
    const OSDAppFilter filter = appFilterProvider_ ? appFilterProvider_() : OSDAppFilter();
    if (filter.entries.empty()) {
        return false;
    }
    std::map<std::string, std::set<SpaceID>> doomed;
    for (const auto& [display, entries] : titleCacheByDisplayIdentifier_) {
        for (const auto& [spaceID, entry] : entries) {
            if (filter.matchesCandidate(entry.appDisplayName) ||
                filter.matchesCandidate(entry.windowTitle)) {
                doomed[display].insert(spaceID);
            }
        }
    }
    for (const auto& [display, entries] : cacheByDisplayIdentifier_) {
        for (const auto& [spaceID, entry] : entries) {
            if (filter.matchesCandidate(entry.appDisplayName)) {
                doomed[display].insert(spaceID);
            }
        }
    }
    bool removed = false;
    for (const auto& [display, spaceIDs] : doomed) {
        for (const SpaceID spaceID : spaceIDs) {
            removed = clearRecordedMetadata(display, spaceID) || removed;
        }
    }
    return removed;
}

void OSDGridAppIconController::remapSpaceIDs(const std::map<SpaceID, SpaceID>& replacements,
                                             const std::string& displayIdentifier) {
    const std::string display = trimmingWhitespaceAndNewlines(displayIdentifier);
    if (display.empty() || replacements.empty()) {
        return;
    }
    bool moved = false;
    if (const auto it = cacheByDisplayIdentifier_.find(display);
        it != cacheByDisplayIdentifier_.end()) {
        moved = remapKeys(it->second, replacements) || moved;
    }
    if (const auto it = titleCacheByDisplayIdentifier_.find(display);
        it != titleCacheByDisplayIdentifier_.end()) {
        moved = remapKeys(it->second, replacements) || moved;
    }
    if (const auto it = windowlessSpaceIDsByDisplayIdentifier_.find(display);
        it != windowlessSpaceIDsByDisplayIdentifier_.end()) {
        for (const auto& [from, to] : replacements) {
            if (from != 0 && to != 0 && from != to && it->second.erase(from) > 0) {
                it->second.insert(to);
                moved = true;
            }
        }
        if (it->second.empty()) {
            windowlessSpaceIDsByDisplayIdentifier_.erase(it);
        }
    }
    if (moved) {
        TessarinSpaceDiagnostics::logAppMetadataCacheRemapped(display, replacements);
    }
}

} // namespace tessarin
