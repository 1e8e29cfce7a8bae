#pragma once

#include "Support/WorkItem.h"
#include "UI/Health/TessarinAppBundleDragView.h"
#include "UI/Health/TessarinPrivacyPermissionGuidePresenting.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLabel;

namespace tessarin {

class PermissionGuidePanel;

// Shows the guide over the lower part of System Settings' window and keeps it there while the
// window moves (30 times a second); presented from a button it glides from there (0.34 s).
// Main thread only.
class TessarinPrivacyPermissionGuidePresenter final
    : public TessarinPrivacyPermissionGuidePresenting {
public:
    static constexpr double width = 640;
    static constexpr double height = 136;
    static constexpr double trackingInterval = 1.0 / 30.0;
    static constexpr double glideDuration = 0.34;

    // Each left empty takes its default: the program's bundle, the host's System Settings
    // window, a Qt drag.
    explicit TessarinPrivacyPermissionGuidePresenter(
        std::function<std::optional<std::string>()> appBundleURLProvider = {},
        std::function<std::optional<Rect>()> systemSettingsWindowProvider = {},
        AppBundleDragStarter dragStarter = {});
    ~TessarinPrivacyPermissionGuidePresenter() override;

    // The current host's one presenter.
    static TessarinPrivacyPermissionGuidePresenter& shared();

    void presentGuide(TessarinPrivacyPermission permission,
                      const std::optional<Rect>& sourceRectInScreen) override;
    void dismissGuide() override;
    // One tick of the tracking loop; a frame equal to the last one writes nothing.
    void updateTrackedPosition();

    std::optional<TessarinPrivacyPermission> activePermission() const { return activePermission_; }
    PermissionGuidePanel* panel() const { return panel_.get(); }
    bool isTracking() const { return tracker_.isValid() && !tracker_.isCancelled(); }
    bool isGliding() const { return glide_.isValid() && !glide_.isCancelled(); }
    std::optional<Rect> trackedFrame() const;

    static QString instructionText(TessarinPrivacyPermission permission);
    // The bundle the tile offers: the running bundle, the ".app" above the executable, the
    // installed copy, else the bundle path as it is.
    static std::string defaultAppBundlePath();

private:
    void buildContent(TessarinPrivacyPermission permission);
    void startTracking();
    void glideTo(const Rect& target);

    std::unique_ptr<PermissionGuidePanel> panel_;
    WorkItem tracker_;
    WorkItem glide_;
    std::optional<TessarinPrivacyPermission> activePermission_;
    bool shouldAnimateFromSource_ = false;
    std::optional<Rect> lastTrackedTargetFrame_;
    std::function<std::optional<std::string>()> appBundleURLProvider_;
    std::function<std::optional<Rect>()> systemSettingsWindowProvider_;
    AppBundleDragStarter dragStarter_;
    std::shared_ptr<TessarinPrivacyPermissionGuidePresenter*> self_;
};

} // namespace tessarin
