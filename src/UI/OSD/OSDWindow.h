#pragma once

#include "Platform/Input/EventStage.h"
#include "Support/WorkItem.h"
#include "UI/OSD/OSDDismissalTiming.h"
#include "UI/OSD/OSDGridWindowParts.h"
#include "UI/OSD/OSDWindowControlling.h"
#include "UI/OSD/OSDWindowSnapshotError.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

namespace tessarin {

// The one controller of the on-screen grid: the primary grid panel, the secondary grids of
// other displays, the hide timer and the modifier monitors. Every showing gets a new panel.
class OSDWindow final : public OSDWindowControlling {
public:
    static constexpr double fadeDuration = 0.2;
    static constexpr const char* defaultDisplayKey = "__tessarin.default.display__";

    // `metrics` may be null: nothing is marked then.
    explicit OSDWindow(OSDPresentationMetricsRecording* metrics);
    ~OSDWindow() override;
    OSDWindow(const OSDWindow&) = delete;
    OSDWindow& operator=(const OSDWindow&) = delete;

    void show(const OSDPresentation& presentation, const DisplayOSDSettings& settings,
              bool activeSpaceAnimationEnabled, const OSDGridAppearanceSettings& appearanceSettings,
              const OSDDismissalBehavior& dismissalBehavior,
              const std::optional<std::string>& displayIdentifier,
              const std::optional<OSDGridMouseInteractionContext>& interactionContext,
              const std::optional<OSDDismissalCallbacks>& dismissalCallbacks,
              std::function<void()> afterFirstRender,
              const OSDPresentationMetricsTraceRef& metricsTrace) override;
    void showAdditionalGrid(const OSDPresentation& presentation, const DisplayOSDSettings& settings,
                            bool activeSpaceAnimationEnabled,
                            const OSDGridAppearanceSettings& appearanceSettings,
                            const std::optional<std::string>& displayIdentifier,
                            const std::optional<OSDGridMouseInteractionContext>& interactionContext,
                            std::function<void()> afterFirstRender,
                            const OSDPresentationMetricsTraceRef& metricsTrace) override;
    void refreshVisibleGrid(const OSDGridModel& model,
                            const std::optional<std::string>& displayIdentifier,
                            bool activeSpaceAnimationEnabled,
                            const OSDGridAppearanceSettings& appearanceSettings,
                            const OSDGridInteractionContextUpdate& interactionContextUpdate,
                            const std::optional<OSDDismissalUpdate>& dismissalUpdate,
                            const OSDPresentationMetricsTraceRef& metricsTrace) override;
    void hide(double duration) override;
    void suspendForSyntheticEventPosting() override;
    bool isGridVisible(const std::optional<std::string>& displayIdentifier) const override;
    std::vector<std::optional<std::string>> visibleGridDisplayIdentifiers() const override;
    std::optional<OSDGridModel>
    currentGridModel(const std::optional<std::string>& displayIdentifier) const override;
    std::optional<OSDGridMouseInteractionContext> currentGridMouseInteractionContext(
        const std::optional<std::string>& displayIdentifier) const override;
    std::optional<OSDGridMouseInteractionContext> currentGridMouseInteractionContext() const;
    std::optional<OSDGridCellSlot> cellSlot(const std::optional<std::string>& displayIdentifier,
                                            int64_t index) const override;
    bool hasDrawnCells(const std::optional<std::string>& displayIdentifier) const override;
    void offerPreparedCellPicture(const std::optional<std::string>& displayIdentifier,
                                  int64_t index, OSDGridPreparedCellPicture picture) override;

    // Writes what the visible primary grid shows as a PNG file; none on success.
    std::optional<OSDWindowSnapshotFailure>
    writeVisibleGridSnapshot(const std::filesystem::path& path) const;

    // The visible frame of the display's screen, else of the screen under the pointer.
    static std::optional<Rect>
    currentScreenVisibleFrame(const std::optional<std::string>& displayIdentifier);

    // For the launch preview and tests.
    OSDOverlayPanel* gridWindow() const { return primary_ ? primary_->panel.get() : nullptr; }
    OSDGridView* gridView() const { return primary_ ? primary_->gridView : nullptr; }
    const OSDGridWindowParts* primaryGrid() const { return primary_.get(); }
    const OSDGridWindowParts* secondaryGrid(const std::string& key) const;
    bool isMonitoringModifierFlags() const {
        return globalModifierFlagsMonitor_.has_value() || localModifierFlagsMonitor_.has_value();
    }

private:
    struct PresentRequest {
        const OSDPresentation& presentation;
        const DisplayOSDSettings& settings;
        bool activeSpaceAnimationEnabled;
        const OSDGridAppearanceSettings& appearanceSettings;
        const std::optional<OSDGridMouseInteractionContext>& context;
        std::function<void()> afterFirstRender;
        const OSDPresentationMetricsTraceRef& trace;
    };
    // A hidden grid window whose view reads the key bindings and refreshes this grid's chrome.
    std::unique_ptr<OSDGridWindowParts>
    makeGrid(const std::optional<std::string>& displayIdentifier);
    void mark(const std::string& step, const OSDPresentationMetricsTraceRef& trace,
              OSDPresentationMetricsFields fields = {}) const;
    // Size, place, order in and render one grid window on `visibleFrame`.
    void present(OSDGridWindowParts& parts, const PresentRequest& request, const Rect& visibleFrame,
                 const std::string& laidOutStep);
    void refreshGrid(OSDGridWindowParts& parts, const OSDGridModel& model,
                     bool activeSpaceAnimationEnabled,
                     const OSDGridAppearanceSettings& appearanceSettings,
                     const OSDGridInteractionContextUpdate& update,
                     const OSDPresentationMetricsTraceRef& trace);
    void refreshChrome(OSDGridWindowParts& parts, const std::optional<OSDGridModel>& model);
    static void showWindow(OSDGridWindowParts& parts, bool makeKey);
    OSDGridWindowParts* gridFor(const std::optional<std::string>& displayIdentifier) const;

    // Dismissal.
    void armDismissal(const OSDDismissalBehavior& behavior);
    void applyDismissalUpdate(const OSDDismissalUpdate& update);
    void scheduleTimedHide(double visibleDuration, double fade);
    void startMonitoringModifierFlags(uint64_t requiredFlags, double fade);
    void stopMonitoringModifierFlags();
    void cancelHideTimer();
    bool finalizeHideVisualsIfCurrent(uint64_t token);
    void finishFade(uint64_t token, std::function<void()> onHidden);
    // Every grid stops taking the pointer and keys and a key panel goes at once; returns the
    // panels left on screen to fade.
    std::vector<OSDOverlayPanel*> disarmGridsForHiding();
    // Lowers the alpha of `panels` from where it is to 0 over `duration`, while `token` is
    // current.
    void startFadeAnimation(std::vector<OSDOverlayPanel*> panels, double duration, uint64_t token);
    void stopFadeAnimation();

    // Secondary grids.
    void dismissSecondaryGridOverlays();
    void orderOutUntrackedOverlayPanels();
    static std::string overlayKey(const std::optional<std::string>& displayIdentifier);

    OSDPresentationMetricsRecording* metrics_;
    std::unique_ptr<OSDGridWindowParts> primary_;
    // Panels of earlier showings, kept until they are ordered out.
    std::vector<std::unique_ptr<OSDGridWindowParts>> retiredGrids_;
    std::map<std::string, std::unique_ptr<OSDGridWindowParts>> secondaryGridOverlays_;
    std::optional<WorkItem> hideTimer_;
    std::optional<WorkItem> fadeCompletion_;
    std::optional<WorkItem> fadeTick_;
    std::optional<EventConsumerToken> globalModifierFlagsMonitor_;
    std::optional<EventConsumerToken> localModifierFlagsMonitor_;
    std::optional<DisplayOSDSettings> currentOSDSettings_;
    std::optional<OSDDismissalCallbacks> currentDismissalCallbacks_;
    uint64_t windowVisibilityToken_ = 0;
    std::optional<std::string> primaryGridDisplayIdentifier_;
};

} // namespace tessarin
