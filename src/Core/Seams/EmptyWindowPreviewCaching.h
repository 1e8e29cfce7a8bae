#pragma once

#include "Core/Seams/WindowPreviewCaching.h"

namespace tessarin {

// The preview caches with nothing in them: no Space is windowless, nothing is scheduled or
// captured, and cells get no pictures, icons or window titles. For benchmarks that measure
// everything else.
class EmptyWindowPreviewCaching : public WindowPreviewCaching {
public:
    bool isWindowlessSpace(const std::string&, SpaceID) override { return false; }
    void refreshWindowMetadata(const DisplaySpaceOrderSnapshot&) override {}
    void remapSpaceDisplayCaches(const std::string&, const std::map<SpaceID, SpaceID>&) override {}
    std::vector<std::string> previewDisplayIdentifiers(const std::string& display) override {
        return {display};
    }
    void remapPreviewDisplayCaches(const std::string&, const std::map<SpaceID, SpaceID>&) override {
    }
    void clearScheduledPreviewRefreshes() override {}
    void cancelPendingGridScreenshotCapture() override {}
    void scheduleCurrentSpaceScreenshotCapture() override {}
    bool refreshPlanIncludesPreviews() override { return false; }
    void refreshWindowSpaceMetadataOnly() override {}
    bool scheduleAllVisibleSpacePreviewRefreshes() override { return false; }
    std::optional<OSDGridSpaceContext> currentGridSpaceContext() override { return std::nullopt; }
    std::optional<std::vector<WindowPreviewRefreshRequest>>
    primeWindowPreviewsIfNeeded(OSDGridScreenshotTiming, TimeInterval,
                                const std::function<double()>&) override {
        return std::nullopt;
    }
    void refreshWindowSpaceMetadataAndPreviews(const std::vector<WindowPreviewRefreshRequest>&,
                                               OSDGridScreenshotTiming, bool, bool) override {}
    std::optional<TimeInterval> nextPreviewRefreshDeadline() override { return std::nullopt; }
    void performPeriodicGridScreenshotRefresh() override {}
    // Nothing is cached: cells show titles and placeholders only.
    std::map<int64_t, OSDGridSpaceTitleEntry>
    mappedTitleEntries(const std::string&, const std::vector<SpaceID>&) override {
        return {};
    }
    std::map<int64_t, OSDGridAppIconEntry> mappedIconEntries(const std::string&,
                                                             const std::vector<SpaceID>&) override {
        return {};
    }
    std::optional<OSDGridAppIconEntry> finderFallbackIconEntry() override { return std::nullopt; }
    std::map<int64_t, OSDGridScreenshotEntry> screenshotMap(const std::string&,
                                                            const std::vector<SpaceID>&) override {
        return {};
    }
    std::map<int64_t, OSDGridScreenshotEntry> previewMap(const std::string&,
                                                         const std::vector<SpaceID>&) override {
        return {};
    }
    std::map<int64_t, std::vector<OSDGridAppIconEntry>>
    iconStackMap(const std::string&, const std::vector<SpaceID>&) override {
        return {};
    }
    void cancelPendingWindowSpaceMetadataRefresh() override {}
    std::function<void()>
    windowPreviewsAfterFirstRenderHandler(const std::optional<std::string>&,
                                          const DisplayPresentationSettingsSnapshot&,
                                          const OSDPresentationMetricsTraceRef&, int64_t) override {
        return nullptr;
    }
    void scheduleWindowSpaceMetadataAndPreviewRefresh(const std::optional<std::string>&) override {}
    void scheduleVisibleGridScreenCapture() override {}
    void scheduleVisibleGridWindowPreviewRefresh(const std::optional<std::string>&,
                                                 const DisplayPresentationSettingsSnapshot&,
                                                 const std::string&, int64_t) override {}
};

} // namespace tessarin
