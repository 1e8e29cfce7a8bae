#pragma once

// Recording fakes of the subsystems the application delegate reaches through interfaces. Each
// records every call with its arguments; answers can be set by the test.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Seams/OSDPresentationControlling.h"
#include "Core/Seams/ShellRefreshing.h"
#include "Core/Seams/WindowPreviewCaching.h"
#include "Model/Seams/HealthWindowPresenting.h"
#include "Model/Seams/HotkeyReregistering.h"
#include "Model/Seams/OSDPresentationMetricsRecording.h"
#include "Model/Seams/TrackpadInputControlling.h"
#include "UI/OSD/OSDWindowControlling.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin::fakes {

inline std::string describe(const std::optional<std::string>& value) {
    return value ? *value : std::string("nil");
}

class RecordingOSDWindow : public OSDWindowControlling {
public:
    std::vector<double> hides;
    int suspendCount = 0;
    // Displays on which a grid is visible (a test sets them; show adds, hides clear).
    std::set<std::optional<std::string>> visible;

    void show(const OSDPresentation&, const DisplayOSDSettings&, bool,
              const OSDGridAppearanceSettings&, const OSDDismissalBehavior&,
              const std::optional<std::string>& displayIdentifier,
              const std::optional<OSDGridMouseInteractionContext>&,
              const std::optional<OSDDismissalCallbacks>&, std::function<void()>,
              const OSDPresentationMetricsTraceRef&) override {
        visible.insert(displayIdentifier);
    }
    void showAdditionalGrid(const OSDPresentation&, const DisplayOSDSettings&, bool,
                            const OSDGridAppearanceSettings&,
                            const std::optional<std::string>& displayIdentifier,
                            const std::optional<OSDGridMouseInteractionContext>&,
                            std::function<void()>, const OSDPresentationMetricsTraceRef&) override {
        visible.insert(displayIdentifier);
    }
    void refreshVisibleGrid(const OSDGridModel&, const std::optional<std::string>&, bool,
                            const OSDGridAppearanceSettings&,
                            const OSDGridInteractionContextUpdate&,
                            const std::optional<OSDDismissalUpdate>&,
                            const OSDPresentationMetricsTraceRef&) override {}
    void hide(double duration) override {
        hides.push_back(duration);
        visible.clear();
    }
    void suspendForSyntheticEventPosting() override {
        ++suspendCount;
        visible.clear();
    }
    bool isGridVisible(const std::optional<std::string>& displayIdentifier) const override {
        return visible.count(displayIdentifier) > 0;
    }
    std::vector<std::optional<std::string>> visibleGridDisplayIdentifiers() const override {
        return {visible.begin(), visible.end()};
    }
    // The displays whose shown model was asked for, as a redraw in place does first.
    mutable std::vector<std::optional<std::string>> modelRequests;
    std::optional<OSDGridModel>
    currentGridModel(const std::optional<std::string>& displayIdentifier) const override {
        modelRequests.push_back(displayIdentifier);
        return std::nullopt;
    }
    std::optional<OSDGridMouseInteractionContext>
    currentGridMouseInteractionContext(const std::optional<std::string>&) const override {
        return std::nullopt;
    }

    // Cells a test says a grid has drawn, and the cells bodies were offered for, by display.
    using Cell = std::pair<std::optional<std::string>, int64_t>;
    std::map<Cell, OSDGridCellSlot> drawnCells;
    std::vector<Cell> offeredCells;
    std::optional<OSDGridCellSlot> cellSlot(const std::optional<std::string>& displayIdentifier,
                                            int64_t index) const override {
        const auto found = drawnCells.find({displayIdentifier, index});
        return found == drawnCells.end() ? std::nullopt : std::optional(found->second);
    }
    bool hasDrawnCells(const std::optional<std::string>& displayIdentifier) const override {
        return std::any_of(drawnCells.begin(), drawnCells.end(), [&](const auto& drawn) {
            return drawn.first.first == displayIdentifier;
        });
    }
    void offerPreparedCellPicture(const std::optional<std::string>& displayIdentifier,
                                  int64_t index, OSDGridPreparedCellPicture picture) override {
        if (!picture.image.isNull()) {
            offeredCells.emplace_back(displayIdentifier, index);
        }
    }
};

class RecordingOSDPresentation : public OSDPresentationControlling {
public:
    struct ShowOSDCall {
        uint32_t targetIndex = 0;
        std::optional<uint32_t> spaceCount;
        std::optional<uint32_t> sourceIndex;
        std::optional<TessarinDirection> direction;
        std::optional<std::string> displayIdentifier;
        bool hadTrace = false;
    };
    struct PreviewCall {
        std::optional<uint32_t> sourceIndex;
        std::optional<TessarinDirection> direction;
    };

    std::vector<std::string> calls;
    std::vector<ShowOSDCall> showOSDCalls;
    std::vector<PreviewCall> previewCalls;
    std::vector<std::optional<std::string>> refreshedVisibleGrids;
    bool previewResult = true;
    bool modelsAvailable = true;
    std::optional<int64_t> modelSpaceCount; // none: the layout's slot count

    bool showOSD(uint32_t targetIndex, std::optional<uint32_t> spaceCount,
                 std::optional<uint32_t> sourceIndex, std::optional<TessarinDirection> direction,
                 const std::optional<std::string>& displayIdentifier, const OSDDismissalBehavior&,
                 GridOSDInteractionMode,
                 const OSDPresentationMetricsTraceRef& metricsTrace) override {
        showOSDCalls.push_back({targetIndex, spaceCount, sourceIndex, direction, displayIdentifier,
                                metricsTrace != nullptr});
        return true;
    }
    std::optional<OSDGridModel>
    makeGridOSDModel(int activeIndex, const std::optional<std::string>&,
                     const std::optional<std::string>&, const std::optional<std::string>&,
                     const std::optional<DisplaySpaceOrderSnapshot>& displaySnapshot,
                     std::optional<bool>) override {
        calls.push_back("makeGridOSDModel " + std::to_string(activeIndex));
        if (!modelsAvailable || !displaySnapshot) {
            return std::nullopt;
        }
        OSDGridModel::Fields fields;
        fields.spaceCount = modelSpaceCount.value_or(displaySnapshot->slotCount());
        fields.activeIndex = activeIndex;
        fields.columnCount = 3;
        for (int index : displaySnapshot->placeholderIndices()) {
            fields.placeholderIndices.insert(index);
        }
        return OSDGridModel::make(fields);
    }
    bool shouldCaptureGridSpaceScreenshots(const std::optional<std::string>&, bool,
                                           std::optional<bool>) override {
        return false;
    }
    bool showOrRefreshPreviewSession(const GridOSDPreviewSession& session,
                                     const DisplayPresentationSettingsSnapshot&,
                                     const OSDDismissalBehavior&,
                                     std::optional<uint32_t> sourceIndex,
                                     std::optional<TessarinDirection> direction, bool,
                                     const OSDPresentationMetricsTraceRef&) override {
        calls.push_back("showOrRefreshPreviewSession " +
                        std::to_string(session.selectedVisualIndex));
        previewCalls.push_back({sourceIndex, direction});
        return previewResult;
    }
    void
    refreshVisibleGridOSDIfVisible(const std::optional<std::string>& displayIdentifier) override {
        refreshedVisibleGrids.push_back(displayIdentifier);
    }
    void showOSDSpacePickerOnAllScreens(const OSDPresentationMetricsTraceRef&) override {
        calls.push_back("showOSDSpacePickerOnAllScreens");
    }
    void showOSDSpacePickerOnCursorDisplay(const OSDPresentationMetricsTraceRef&) override {
        calls.push_back("showOSDSpacePickerOnCursorDisplay");
    }
    void refreshVisibleGridOSDIfNeeded(const std::optional<OSDGridSpaceContext>&) override {
        calls.push_back("refreshVisibleGridOSDIfNeeded");
    }
    bool showOSDPreviewFixture() override {
        calls.push_back("showOSDPreviewFixture");
        return true;
    }
};

class RecordingHealthWindow : public HealthWindowPresenting {
public:
    std::vector<TessarinHealthCheckPresentationMode> presented;
    TessarinHealthLaunchPresentation launchAnswer = TessarinHealthLaunchPresentation::none;
    int launchQuestions = 0;
    void present(TessarinHealthCheckPresentationMode mode) override { presented.push_back(mode); }
    TessarinHealthLaunchPresentation launchPresentation() override {
        ++launchQuestions;
        return launchAnswer;
    }
};

class RecordingShell : public ShellRefreshing {
public:
    std::vector<std::string> calls;
    void refreshSpaceInfo() override { calls.push_back("refreshSpaceInfo"); }
    void refreshPersistentGridOverlay() override {
        calls.push_back("refreshPersistentGridOverlay");
    }
    void applyHotkey(const HotkeyCombination&, HotkeyIdentifier identifier) override {
        calls.push_back("applyHotkey " + std::string(rawValue(identifier)));
    }
    void setGridModeEnabled(bool on) override {
        calls.push_back(on ? "gridModeOn" : "gridModeOff");
    }
    void restartPeriodicGridScreenshotRefresh() override { calls.push_back("restartPeriodic"); }
};

class RecordingHotkeys : public HotkeyReregistering {
public:
    int reregisterCount = 0;
    void reregisterAllHotkeys() override { ++reregisterCount; }
};

class RecordingWindowPreviews : public WindowPreviewCaching {
public:
    std::vector<std::string> calls;
    // Spaces the caches call windowless, by display.
    std::set<std::pair<std::string, SpaceID>> windowless;
    // Spaces that turn out to have windows once the metadata is refreshed.
    std::set<std::pair<std::string, SpaceID>> windowedAfterRefresh;
    std::map<std::string, std::vector<std::string>> previewDisplays;
    std::vector<std::pair<std::string, std::map<SpaceID, SpaceID>>> spaceDisplayRemaps;
    std::vector<std::pair<std::string, std::map<SpaceID, SpaceID>>> previewDisplayRemaps;

    bool isWindowlessSpace(const std::string& displayIdentifier, SpaceID spaceID) override {
        calls.push_back("isWindowlessSpace " + displayIdentifier + " " + std::to_string(spaceID));
        return windowless.count({displayIdentifier, spaceID}) > 0;
    }
    void refreshWindowMetadata(const DisplaySpaceOrderSnapshot& snapshot) override {
        calls.push_back("refreshWindowMetadata " + snapshot.displayIdentifier);
        for (const auto& entry : windowedAfterRefresh) {
            windowless.erase(entry);
        }
    }
    void remapSpaceDisplayCaches(const std::string& spaceDisplayIdentifier,
                                 const std::map<SpaceID, SpaceID>& replacements) override {
        calls.push_back("remapSpaceDisplayCaches " + spaceDisplayIdentifier);
        spaceDisplayRemaps.emplace_back(spaceDisplayIdentifier, replacements);
    }
    std::vector<std::string>
    previewDisplayIdentifiers(const std::string& spaceDisplayIdentifier) override {
        calls.push_back("previewDisplayIdentifiers " + spaceDisplayIdentifier);
        auto found = previewDisplays.find(spaceDisplayIdentifier);
        return found == previewDisplays.end() ? std::vector<std::string>{spaceDisplayIdentifier}
                                              : found->second;
    }
    void remapPreviewDisplayCaches(const std::string& previewDisplayIdentifier,
                                   const std::map<SpaceID, SpaceID>& replacements) override {
        calls.push_back("remapPreviewDisplayCaches " + previewDisplayIdentifier);
        previewDisplayRemaps.emplace_back(previewDisplayIdentifier, replacements);
    }

    // The screenshot and preview scheduling: recorded; previews planned and resolvable.
    bool record(const char* call) {
        calls.push_back(call);
        return true;
    }
    void clearScheduledPreviewRefreshes() override { record("clearScheduledPreviewRefreshes"); }
    void cancelPendingGridScreenshotCapture() override { record("cancelPendingGridScreenshot"); }
    void scheduleCurrentSpaceScreenshotCapture() override { record("scheduleScreenshot"); }
    bool refreshPlanIncludesPreviews() override { return record("refreshPlanIncludesPreviews"); }
    void refreshWindowSpaceMetadataOnly() override { record("refreshWindowSpaceMetadataOnly"); }
    bool scheduleAllVisibleSpacePreviewRefreshes() override { return record("schedulePreviews"); }
    std::optional<OSDGridSpaceContext> currentGridSpaceContext() override { return gridContext; }
    std::optional<OSDGridSpaceContext> gridContext;

    // Grid model content: cached by display and Space ID, as the caches keep it.
    template <class Entry> using Cache = std::map<std::string, std::map<SpaceID, Entry>>;
    Cache<OSDGridSpaceTitleEntry> titles;
    Cache<OSDGridAppIconEntry> icons;
    Cache<OSDGridScreenshotEntry> screenshots;
    Cache<OSDGridScreenshotEntry> previews;
    Cache<std::vector<OSDGridAppIconEntry>> stacks;
    std::optional<OSDGridAppIconEntry> finderIcon;
    std::vector<std::optional<std::string>> metadataRefreshesAfterHide;

    template <class Entry>
    static std::map<int64_t, Entry> byIndex(const Cache<Entry>& cache, const std::string& display,
                                            const std::vector<SpaceID>& orderedSpaceIDs) {
        std::map<int64_t, Entry> mapped;
        const auto found = cache.find(display);
        for (std::size_t i = 0; found != cache.end() && i < orderedSpaceIDs.size(); ++i) {
            if (auto entry = found->second.find(orderedSpaceIDs[i]); entry != found->second.end()) {
                mapped.emplace(static_cast<int64_t>(i), entry->second);
            }
        }
        return mapped;
    }
    std::map<int64_t, OSDGridSpaceTitleEntry>
    mappedTitleEntries(const std::string& display, const std::vector<SpaceID>& ids) override {
        return byIndex(titles, display, ids);
    }
    std::map<int64_t, OSDGridAppIconEntry>
    mappedIconEntries(const std::string& display, const std::vector<SpaceID>& ids) override {
        return byIndex(icons, display, ids);
    }
    std::optional<OSDGridAppIconEntry> finderFallbackIconEntry() override { return finderIcon; }
    std::map<int64_t, OSDGridScreenshotEntry>
    screenshotMap(const std::string& display, const std::vector<SpaceID>& ids) override {
        return byIndex(screenshots, display, ids);
    }
    std::map<int64_t, OSDGridScreenshotEntry> previewMap(const std::string& display,
                                                         const std::vector<SpaceID>& ids) override {
        return byIndex(previews, display, ids);
    }
    std::map<int64_t, std::vector<OSDGridAppIconEntry>>
    iconStackMap(const std::string& display, const std::vector<SpaceID>& ids) override {
        return byIndex(stacks, display, ids);
    }
    void cancelPendingWindowSpaceMetadataRefresh() override {}
    void scheduleWindowSpaceMetadataAndPreviewRefresh(
        const std::optional<std::string>& displayIdentifier) override {
        metadataRefreshesAfterHide.push_back(displayIdentifier);
    }

    // Editing and refresh: recorded; the first-render handler records when it runs.
    void scheduleVisibleGridScreenCapture() override { record("scheduleVisibleGridScreenCapture"); }
    std::function<void()>
    windowPreviewsAfterFirstRenderHandler(const std::optional<std::string>& placementDisplay,
                                          const DisplayPresentationSettingsSnapshot&,
                                          const OSDPresentationMetricsTraceRef&,
                                          int64_t generation) override {
        return [this, placementDisplay, generation] {
            calls.push_back("afterFirstRender " + describe(placementDisplay) + " " +
                            std::to_string(generation));
        };
    }
    void scheduleVisibleGridWindowPreviewRefresh(const std::optional<std::string>& placementDisplay,
                                                 const DisplayPresentationSettingsSnapshot&,
                                                 const std::string& phase,
                                                 int64_t generation) override {
        calls.push_back("visibleGridPreviewRefresh " + describe(placementDisplay) + " " + phase +
                        " " + std::to_string(generation));
    }

    // Shell: priming answers `primedRequests`; the deadline is `deadline`.
    std::optional<std::vector<WindowPreviewRefreshRequest>> primedRequests;
    std::optional<TimeInterval> deadline;
    std::optional<std::vector<WindowPreviewRefreshRequest>>
    primeWindowPreviewsIfNeeded(OSDGridScreenshotTiming, TimeInterval,
                                const std::function<double()>&) override {
        record("primeWindowPreviews");
        return primedRequests;
    }
    void
    refreshWindowSpaceMetadataAndPreviews(const std::vector<WindowPreviewRefreshRequest>& requests,
                                          OSDGridScreenshotTiming, bool allowsScreenCaptures,
                                          bool refreshesMetadataWhenRequestsAreEmpty) override {
        calls.push_back("refreshWindowSpaceMetadataAndPreviews " + std::to_string(requests.size()) +
                        (allowsScreenCaptures ? " screen" : "") +
                        (refreshesMetadataWhenRequestsAreEmpty ? " metadata" : ""));
    }
    std::optional<TimeInterval> nextPreviewRefreshDeadline() override { return deadline; }
    void performPeriodicGridScreenshotRefresh() override { record("periodicRefresh"); }
};

class RecordingMetrics : public OSDPresentationMetricsRecording {
public:
    struct Mark {
        std::string step;
        OSDPresentationMetricsFields fields;
    };
    std::vector<Mark> marks;

    bool isEnabled() const override { return true; }
    OSDPresentationMetricsTraceRef startTrace(const std::string& origin, double at) override {
        return startedTraces.emplace_back(std::make_shared<OSDPresentationMetricsTrace>(
            OSDPresentationMetricsTrace{startedTraces.size() + 1, origin, at, at}));
    }
    std::vector<OSDPresentationMetricsTraceRef> startedTraces;
    using OSDPresentationMetricsRecording::mark;
    void mark(const std::string& step, const OSDPresentationMetricsTraceRef& trace,
              const std::function<OSDPresentationMetricsFields()>& fields) override {
        if (!trace) {
            return;
        }
        marks.push_back({step, fields()});
    }
    std::vector<std::string> steps() const {
        std::vector<std::string> result;
        for (const Mark& mark : marks) {
            result.push_back(mark.step);
        }
        return result;
    }
    // The fields of the last mark of a step; empty when it was never marked.
    OSDPresentationMetricsFields fieldsOf(const std::string& step) const {
        for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
            if (it->step == step) {
                return it->fields;
            }
        }
        return {};
    }
};

class RecordingTrackpad : public TrackpadInputControlling {
public:
    int delayMilliseconds = 650;
    int cancelCount = 0;
    int switchDelayMilliseconds() const override { return delayMilliseconds; }
    void cancelPendingTapCommit() override { ++cancelCount; }
};

// One fake of every seam, and the dependencies that hand them to a delegate.
struct RecordingSeams {
    std::shared_ptr<RecordingOSDWindow> osdWindow = std::make_shared<RecordingOSDWindow>();
    std::shared_ptr<RecordingOSDPresentation> presentation =
        std::make_shared<RecordingOSDPresentation>();
    std::shared_ptr<RecordingHealthWindow> healthWindow = std::make_shared<RecordingHealthWindow>();
    std::shared_ptr<RecordingShell> shell = std::make_shared<RecordingShell>();
    std::shared_ptr<RecordingHotkeys> hotkeys = std::make_shared<RecordingHotkeys>();
    std::shared_ptr<RecordingWindowPreviews> windowPreviews =
        std::make_shared<RecordingWindowPreviews>();
    std::shared_ptr<RecordingMetrics> metrics = std::make_shared<RecordingMetrics>();
    std::shared_ptr<RecordingTrackpad> trackpad = std::make_shared<RecordingTrackpad>();

    // The seams filled in; the stores and the drag tracker are left to the caller.
    AppDelegateDependencies dependencies() const {
        AppDelegateDependencies result;
        result.osdWindow = osdWindow;
        result.presentation = presentation;
        result.healthWindow = healthWindow;
        result.shell = shell;
        result.hotkeys = hotkeys;
        result.windowPreviews = windowPreviews;
        result.metrics = metrics;
        result.trackpad = trackpad;
        return result;
    }
};

} // namespace tessarin::fakes
