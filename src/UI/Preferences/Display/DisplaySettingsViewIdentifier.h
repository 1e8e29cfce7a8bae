#pragma once

// The object names of the Display page's sections and controls, by which tests and the
// accessibility tree find them.
namespace tessarin::DisplaySettingsViewIdentifier {

inline constexpr const char* displaySectionTitle = "display.section.scope.title";
inline constexpr const char* gridSectionTitle = "display.section.grid.title";
inline constexpr const char* osdSectionTitle = "display.section.osd.title";
inline constexpr const char* overlaySectionTitle = "display.section.overlay.title";
inline constexpr const char* displayTargetControl = "display.control.target";
inline constexpr const char* displayResetOverridesControl = "display.control.resetOverrides";
inline constexpr const char* gridColumnCountControl = "display.control.grid.columns";
inline constexpr const char* gridBlocksAtEdgesControl = "display.control.grid.blocksAtEdges";
inline constexpr const char* gridWrapStyleControl = "display.control.grid.wrapStyle";
inline constexpr const char* gridUsePlaceholdersControl = "display.control.grid.usePlaceholders";
inline constexpr const char* osdEnabledControl = "display.control.osd.enabled";
inline constexpr const char* osdPreviewSnapshotControl = "display.control.osd.previewSnapshot";
inline constexpr const char* osdCustomizeAppearanceControl =
    "display.control.osd.customizeAppearance";
inline constexpr const char* overlayEnabledControl = "display.control.overlay.enabled";
inline constexpr const char* overlayCustomizeAppearanceControl =
    "display.control.overlay.customizeAppearance";
inline constexpr const char* titleOverlayEnabledControl = "display.control.titleOverlay.enabled";
inline constexpr const char* titleOverlayCustomizeAppearanceControl =
    "display.control.titleOverlay.customizeAppearance";

inline constexpr const char* osdPreviewSnapshotControlsSectionTitle =
    "display.section.osdPreviewSnapshot.controls.title";
inline constexpr const char* osdPreviewSnapshotDoneControl =
    "display.control.osdPreviewSnapshot.done";
inline constexpr const char* osdScreenshotTimingControl = "display.control.osd.screenshotTiming";
inline constexpr const char* osdScreenshotCaptureModeControl =
    "display.control.osd.screenshotCaptureMode";
inline constexpr const char* osdAppearanceControlsSectionTitle =
    "display.section.osdAppearance.controls.title";
inline constexpr const char* osdAppearanceDoneControl = "display.control.osdAppearance.done";
inline constexpr const char* osdAppearanceModeControl = "display.control.osd.appearanceMode";
inline constexpr const char* osdHeaderIconStyleControl = "display.control.osd.headerIconStyle";
inline constexpr const char* osdGridPlacementControl = "display.control.osd.gridPlacement";
inline constexpr const char* osdGridSizeControl = "display.control.osd.gridSize";
inline constexpr const char* osdGridOpacityControl = "display.control.osd.gridOpacity";
inline constexpr const char* osdPreviewTintControl = "display.control.osd.previewTint";
inline constexpr const char* osdActiveColorSourceControl = "display.control.osd.activeColorSource";
inline constexpr const char* osdActiveColorControl = "display.control.osd.activeColor";
inline constexpr const char* overlayAppearanceControlsSectionTitle =
    "display.section.overlayAppearance.controls.title";
inline constexpr const char* overlayAppearanceDoneControl =
    "display.control.overlayAppearance.done";
inline constexpr const char* overlayPositionControl = "display.control.overlay.position";
inline constexpr const char* overlayOpacityControl = "display.control.overlay.opacity";
inline constexpr const char* overlaySizeControl = "display.control.overlay.size";
inline constexpr const char* titleOverlayAppearanceControlsSectionTitle =
    "display.section.titleOverlayAppearance.controls.title";
inline constexpr const char* titleOverlayAppearanceDoneControl =
    "display.control.titleOverlayAppearance.done";
inline constexpr const char* titleOverlayPositionControl = "display.control.titleOverlay.position";
inline constexpr const char* titleOverlayOpacityControl = "display.control.titleOverlay.opacity";
inline constexpr const char* titleOverlayFontControl = "display.control.titleOverlay.font";
inline constexpr const char* titleOverlayFontSizeControl = "display.control.titleOverlay.fontSize";

} // namespace tessarin::DisplaySettingsViewIdentifier
