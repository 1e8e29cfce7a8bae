#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Presentation/GridCellContent.h"
#include "Core/Presentation/GridCellTitles.h"
#include "Core/Presentation/GridModelDiagnostics.h"
#include "Model/Settings/OSDGridAppIconsSetting.h"
#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"

namespace tessarin {

namespace {

// Keeps one answer about shared Spaces for the length of a scope, unless a longer scope already
// keeps one: the layout cannot change meanwhile, and each read is a round trip to the window
// server.
class ScopedSeparateSpacesAnswer {
public:
    ScopedSeparateSpacesAnswer(std::optional<bool>& slot, const std::function<bool()>& read)
        : slot_(slot), owns_(!slot) {
        if (owns_) {
            slot_ = read();
        }
    }
    ~ScopedSeparateSpacesAnswer() {
        if (owns_) {
            slot_.reset();
        }
    }
    ScopedSeparateSpacesAnswer(const ScopedSeparateSpacesAnswer&) = delete;
    ScopedSeparateSpacesAnswer& operator=(const ScopedSeparateSpacesAnswer&) = delete;

private:
    std::optional<bool>& slot_;
    bool owns_;
};

} // namespace

std::vector<DirectSlotMetadata>
AppDelegate::directSlotMetadataByIndex(const std::optional<std::string>& display) {
    std::vector<DirectSlotMetadata> slots;
    if (!display) {
        return slots;
    }
    for (int slot = DirectSlotMetadataStore::firstSlotIndex;
         slot <= DirectSlotMetadataStore::lastSlotIndex; ++slot) {
        slots.push_back(directSlotMetadataStore.metadata(*display, slot)); // slot n: index n - 1
    }
    return slots;
}

namespace {

std::map<int, std::string> namesOf(const std::vector<DirectSlotMetadata>& slots) {
    std::map<int, std::string> names;
    for (std::size_t index = 0; index < slots.size(); ++index) {
        if (slots[index].name) {
            names.emplace(static_cast<int>(index), *slots[index].name);
        }
    }
    return names;
}

std::set<int> obscuredOf(const std::vector<DirectSlotMetadata>& slots) {
    std::set<int> indices;
    for (std::size_t index = 0; index < slots.size(); ++index) {
        if (slots[index].obscured) {
            indices.insert(static_cast<int>(index));
        }
    }
    return indices;
}

} // namespace

std::map<int, std::string>
AppDelegate::directSlotCustomNames(const std::optional<std::string>& display) {
    return namesOf(directSlotMetadataByIndex(display));
}

std::set<int> AppDelegate::obscuredVisualIndices(const std::optional<std::string>& display) {
    return obscuredOf(directSlotMetadataByIndex(display));
}

std::vector<SpaceID>
AppDelegate::obscuredVisualSpaceIDs(const DisplaySpaceOrderSnapshot& snapshot) {
    const std::optional<std::string> display = displaysHaveSeparateSpaces()
                                                   ? std::optional(snapshot.displayIdentifier)
                                                   : activeMenuBarDisplayIdentifier();
    std::vector<SpaceID> spaceIDs;
    for (int index : obscuredVisualIndices(display)) {
        if (const auto spaceID = snapshot.spaceID(index)) {
            spaceIDs.push_back(*spaceID);
        }
    }
    return spaceIDs;
}

bool AppDelegate::shouldCaptureGridSpaceScreenshots(
    const std::optional<std::string>& displayIdentifier, bool visibleGridOSDCanCapture,
    std::optional<bool> osdEnabled) {
    const auto settingsDisplay = displaysHaveSeparateSpaces() ? displayIdentifier : std::nullopt;
    const DisplayPresentationSettingsSnapshot settings =
        presentationStore.snapshot(settingsDisplay);
    const bool gridMayShow =
        osdEnabled.value_or(settings.osd.isEnabled) ||
        (visibleGridOSDCanCapture && osdWindow_->isGridVisible(displayIdentifier));
    const SystemServices& system = Host::current().system();
    return gridMayShow && gridModeStore.isEnabled.value() && settings.screenshotsEnabled &&
           system.operatingSystemVersion().isAtLeast({14, 0, 0}) &&
           system.preflightScreenCaptureAccess();
}

std::optional<std::string>
AppDelegate::cellImageSettingsDisplay(const std::optional<std::string>& display,
                                      const DisplaySpaceOrderSnapshot& snapshot) {
    if (!displaysHaveSeparateSpaces()) {
        return std::nullopt;
    }
    return display ? display : std::optional(snapshot.displayIdentifier);
}

std::map<int64_t, OSDGridScreenshotEntry>
AppDelegate::resolveGridScreenshotMap(const DisplaySpaceOrderSnapshot& snapshot,
                                      const std::optional<std::string>& displayIdentifier,
                                      bool screenshotsEnabled) {
    if (!screenshotsEnabled) {
        return {};
    }
    const auto mode =
        presentationStore.snapshot(cellImageSettingsDisplay(displayIdentifier, snapshot))
            .screenshotCaptureMode;
    const std::string display = displayIdentifier.value_or(snapshot.displayIdentifier);
    auto previews = windowPreviews_->previewMap(display, snapshot.visualOrderedSpaceIDs);
    if (mode == OSDGridScreenshotCaptureMode::window) {
        return previews;
    }
    return overlaidGridImageMap(
        windowPreviews_->screenshotMap(display, snapshot.visualOrderedSpaceIDs), previews);
}

std::map<int64_t, OSDGridAppIconEntry> AppDelegate::resolveGridAppIconMap(
    int cellCount, const DisplaySpaceOrderSnapshot& snapshot,
    const std::map<int64_t, OSDGridSpaceTitleEntry>& cachedTitleEntries) {
    if (cellCount < 1) { // the caller asks only while app icons are on
        return {};
    }
    const auto cached = windowPreviews_->mappedIconEntries(snapshot.displayIdentifier,
                                                           snapshot.visualOrderedSpaceIDs);
    std::set<int64_t> visited = keysOf(cached);
    const std::set<int64_t> titled = keysOf(cachedTitleEntries);
    visited.insert(titled.begin(), titled.end());
    const bool needsFallback = visited.size() > cached.size();
    return mergedGridAppIconMap(cached, visited, cellCount,
                                needsFallback ? windowPreviews_->finderFallbackIconEntry()
                                              : std::nullopt);
}

std::vector<std::optional<std::string>>
AppDelegate::systemSpaceTitles(const std::string& display) const {
    std::vector<std::optional<std::string>> titles;
    TessarinSpaceTitleList* list =
        tessarin_copy_space_titles_for_display_identifier(display.c_str());
    if (list == nullptr) {
        return titles;
    }
    for (uint32_t i = 0; i < list->count; ++i) {
        titles.push_back(list->titles[i] != nullptr ? std::optional<std::string>(list->titles[i])
                                                    : std::nullopt);
    }
    tessarin_release_space_title_list(list);
    return titles;
}

std::optional<OSDGridModel>
AppDelegate::makeGridOSDModel(int activeIndex, const std::optional<std::string>& displayIdentifier,
                              const std::optional<std::string>& settingsDisplayIdentifier,
                              const std::optional<std::string>& screenshotDisplayIdentifier,
                              const std::optional<DisplaySpaceOrderSnapshot>& displaySnapshot,
                              std::optional<bool> screenshotsEnabled) {
    const ScopedSeparateSpacesAnswer oneAnswer(separateSpacesDuringRequest_,
                                               [this] { return displaysHaveSeparateSpaces(); });
    const bool appIconsEnabled = OSDGridAppIconsSetting::persisted(Host::current().defaults());
    std::optional<std::string> display = displayIdentifier;
    if (!display) {
        if (const auto context = windowPreviews_->currentGridSpaceContext()) {
            display = context->displayIdentifier;
        }
    }
    const auto separate = displaysHaveSeparateSpaces();
    const auto settingsDisplay =
        separate ? (settingsDisplayIdentifier ? settingsDisplayIdentifier : displayIdentifier)
                 : std::nullopt;
    const bool imagesWanted = screenshotsEnabled.value_or(
        shouldCaptureGridSpaceScreenshots(displayIdentifier, true, std::nullopt));

    std::optional<DisplaySpaceOrderSnapshot> resolved = displaySnapshot;
    if (!resolved) {
        if (auto fresh =
                resolveDisplaySpaceOrderSnapshotWithDescriptors(spaceDisplayIdentifier(display))) {
            resolved = std::move(fresh->displaySnapshot);
        }
    }
    if (!resolved) {
        return std::nullopt;
    }
    const DisplaySpaceOrderSnapshot& snapshot = *resolved;
    const int cellCount = snapshot.slotCount();
    if (cellCount == 0 || activeIndex < 0 || activeIndex >= cellCount) {
        return std::nullopt;
    }

    const auto titleEntries = windowPreviews_->mappedTitleEntries(snapshot.displayIdentifier,
                                                                  snapshot.visualOrderedSpaceIDs);
    const auto metadataDisplay =
        settingsDisplay ? settingsDisplay : activeMenuBarDisplayIdentifier();
    // Names come from the metadata display only; the covers fall back to the snapshot's display,
    // and the titles read the same covers, so a covered cell never shows its window.
    const auto slotMetadata = directSlotMetadataByIndex(
        metadataDisplay ? metadataDisplay : std::optional(snapshot.displayIdentifier));
    std::set<int64_t> obscured;
    for (int index : obscuredOf(slotMetadata)) {
        if (index < cellCount && !snapshot.isPlaceholder(index)) {
            obscured.insert(index);
        }
    }

    GridCellTitleSources titleSources;
    titleSources.cellCount = cellCount;
    titleSources.snapshot = &snapshot;
    if (metadataDisplay) {
        titleSources.customNames = namesOf(slotMetadata);
    }
    titleSources.obscuredIndices = {obscured.begin(), obscured.end()};
    titleSources.cachedTitleEntries = &titleEntries;
    // One read for every cell: a read per cell copied the whole layout each time.
    const auto systemTitles = systemSpaceTitles(snapshot.displayIdentifier);
    titleSources.systemTitle = [&systemTitles](int systemIndex) -> std::optional<std::string> {
        if (systemIndex < 0 || static_cast<std::size_t>(systemIndex) >= systemTitles.size()) {
            return std::nullopt;
        }
        return systemTitles[static_cast<std::size_t>(systemIndex)];
    };
    auto titles = resolveGridCellTitles(titleSources);

    const std::string imageDisplay =
        screenshotDisplayIdentifier.value_or(snapshot.displayIdentifier);
    auto images = resolveGridScreenshotMap(snapshot, imageDisplay, imagesWanted);
    auto stacks = resolvedGridAppIconStackMap(
        windowPreviews_->iconStackMap(snapshot.displayIdentifier, snapshot.visualOrderedSpaceIDs),
        keysOf(images), imagesWanted, appIconsEnabled);
    auto icons = appIconsEnabled ? resolveGridAppIconMap(cellCount, snapshot, titleEntries)
                                 : std::map<int64_t, OSDGridAppIconEntry>{};
    eraseKeys(images, obscured);
    eraseKeys(icons, obscured);
    eraseKeys(stacks, obscured);

    TessarinSpaceDiagnostics::debug([&] {
        return GridModelDiagnostics{snapshot.displayIdentifier,
                                    imageDisplay,
                                    activeIndex,
                                    cellCount,
                                    titles,
                                    keysOf(images),
                                    keysOf(icons),
                                    obscured}
            .line();
    });

    OSDGridModel::Fields fields;
    fields.spaceCount = cellCount;
    fields.activeIndex = activeIndex;
    if (const auto title = titles.find(activeIndex); title != titles.end()) {
        fields.title = title->second;
    }
    fields.columnCount = static_cast<int64_t>(gridModeStore.columnCount(settingsDisplay)) + 2;
    fields.cellTitles = std::move(titles);
    fields.cellScreenshots = std::move(images);
    fields.cellIcons = std::move(icons);
    fields.cellIconStacks = std::move(stacks);
    for (int index : snapshot.placeholderIndices()) {
        fields.placeholderIndices.insert(index);
    }
    fields.obscuredIndices = std::move(obscured);
    return OSDGridModel::make(std::move(fields));
}

std::optional<OSDGridModel>
AppDelegate::makeCurrentGridOSDModel(const std::optional<std::string>& displayIdentifier) {
    const auto resolved =
        resolveDisplaySpaceOrderSnapshotWithDescriptors(spaceDisplayIdentifier(displayIdentifier));
    if (!resolved) {
        return std::nullopt;
    }
    const DisplaySpaceOrderSnapshot& snapshot = resolved->displaySnapshot;
    return makeGridOSDModel(
        snapshot.activeVisualIndex, snapshot.displayIdentifier,
        displaysHaveSeparateSpaces() ? displayIdentifier : std::nullopt,
        displayIdentifier ? displayIdentifier : std::optional(snapshot.displayIdentifier), snapshot,
        shouldCaptureGridSpaceScreenshots(displayIdentifier, true, std::nullopt));
}

} // namespace tessarin
