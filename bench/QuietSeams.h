#pragma once

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Seams/EmptyWindowPreviewCaching.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin::bench {

// The neighbours answer at once, as cheaply as they can: only the engine's own work is timed.
struct QuietOSDWindow : OSDWindowControlling {
    void show(const OSDPresentation&, const DisplayOSDSettings&, bool,
              const OSDGridAppearanceSettings&, const OSDDismissalBehavior&,
              const std::optional<std::string>&,
              const std::optional<OSDGridMouseInteractionContext>&,
              const std::optional<OSDDismissalCallbacks>&, std::function<void()>,
              const OSDPresentationMetricsTraceRef&) override {}
    void showAdditionalGrid(const OSDPresentation&, const DisplayOSDSettings&, bool,
                            const OSDGridAppearanceSettings&, const std::optional<std::string>&,
                            const std::optional<OSDGridMouseInteractionContext>&,
                            std::function<void()>, const OSDPresentationMetricsTraceRef&) override {
    }
    void refreshVisibleGrid(const OSDGridModel&, const std::optional<std::string>&, bool,
                            const OSDGridAppearanceSettings&,
                            const OSDGridInteractionContextUpdate&,
                            const std::optional<OSDDismissalUpdate>&,
                            const OSDPresentationMetricsTraceRef&) override {}
    void hide(double) override {}
    void suspendForSyntheticEventPosting() override {}
    bool isGridVisible(const std::optional<std::string>&) const override { return false; }
    std::vector<std::optional<std::string>> visibleGridDisplayIdentifiers() const override {
        return {};
    }
    std::optional<OSDGridModel> currentGridModel(const std::optional<std::string>&) const override {
        return std::nullopt;
    }
    std::optional<OSDGridMouseInteractionContext>
    currentGridMouseInteractionContext(const std::optional<std::string>&) const override {
        return std::nullopt;
    }
};

struct QuietPresentation : OSDPresentationControlling {
    bool showOSD(uint32_t, std::optional<uint32_t>, std::optional<uint32_t>,
                 std::optional<TessarinDirection>, const std::optional<std::string>&,
                 const OSDDismissalBehavior&, GridOSDInteractionMode,
                 const OSDPresentationMetricsTraceRef&) override {
        return true;
    }
    std::optional<OSDGridModel> makeGridOSDModel(int, const std::optional<std::string>&,
                                                 const std::optional<std::string>&,
                                                 const std::optional<std::string>&,
                                                 const std::optional<DisplaySpaceOrderSnapshot>&,
                                                 std::optional<bool>) override {
        return std::nullopt;
    }
    bool shouldCaptureGridSpaceScreenshots(const std::optional<std::string>&, bool,
                                           std::optional<bool>) override {
        return false;
    }
    bool showOrRefreshPreviewSession(const GridOSDPreviewSession&,
                                     const DisplayPresentationSettingsSnapshot&,
                                     const OSDDismissalBehavior&, std::optional<uint32_t>,
                                     std::optional<TessarinDirection>, bool,
                                     const OSDPresentationMetricsTraceRef&) override {
        return false;
    }
    void refreshVisibleGridOSDIfVisible(const std::optional<std::string>&) override {}
    void showOSDSpacePickerOnAllScreens(const OSDPresentationMetricsTraceRef&) override {}
    void showOSDSpacePickerOnCursorDisplay(const OSDPresentationMetricsTraceRef&) override {}
    bool showOSDPreviewFixture() override { return false; }
    void refreshVisibleGridOSDIfNeeded(const std::optional<OSDGridSpaceContext>&) override {}
};

struct QuietHealthWindow : HealthWindowPresenting {
    void present(TessarinHealthCheckPresentationMode) override {}
    TessarinHealthLaunchPresentation launchPresentation() override {
        return TessarinHealthLaunchPresentation::none;
    }
};
struct QuietShell : ShellRefreshing {
    void refreshSpaceInfo() override {}
    void refreshPersistentGridOverlay() override {}
    void applyHotkey(const HotkeyCombination&, HotkeyIdentifier) override {}
    void setGridModeEnabled(bool) override {}
    void restartPeriodicGridScreenshotRefresh() override {}
};
using QuietWindowPreviews = EmptyWindowPreviewCaching;
struct QuietMetrics : OSDPresentationMetricsRecording {
    bool isEnabled() const override { return false; }
    OSDPresentationMetricsTraceRef startTrace(const std::string&, double) override {
        return nullptr;
    }
    using OSDPresentationMetricsRecording::mark;
    void mark(const std::string&, const OSDPresentationMetricsTraceRef&,
              const std::function<OSDPresentationMetricsFields()>&) override {}
};
struct QuietTrackpad : TrackpadInputControlling {
    int switchDelayMilliseconds() const override { return 650; }
    void cancelPendingTapCommit() override {}
};

// The delegate's dependencies with every neighbour quiet.
inline AppDelegateDependencies quietDependencies() {
    AppDelegateDependencies dependencies;
    dependencies.osdWindow = std::make_shared<QuietOSDWindow>();
    dependencies.presentation = std::make_shared<QuietPresentation>();
    dependencies.healthWindow = std::make_shared<QuietHealthWindow>();
    dependencies.shell = std::make_shared<QuietShell>();
    dependencies.windowPreviews = std::make_shared<QuietWindowPreviews>();
    dependencies.metrics = std::make_shared<QuietMetrics>();
    dependencies.trackpad = std::make_shared<QuietTrackpad>();
    return dependencies;
}

} // namespace tessarin::bench
