#pragma once

#include "Model/Settings/DisplayPresentationSettingsSnapshot.h"
#include "Model/Settings/DisplaySettingsScope.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Published.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The OSD, overlay and screenshot settings in the user defaults, global and per display. Each
// value of a display resolves from its override (the key followed by ".display." and the trimmed
// identifier), then the global key, then the default; a stored value of the wrong type or out of
// range is passed over (or normalised), never an error.
//
// Scoped writes follow one rule: a display value equal to the current global value removes the
// display's override (or writes nothing when there is none); a global value equal to what the
// global key holds (or, with nothing stored, the given global value) writes nothing. Every call
// that changes the defaults raises `revision` by one.
class DisplayPresentationSettingsStore {
public:
    // Presentation keys that a display may override.
    static constexpr const char* showOSDKey = "showOSD";
    static constexpr const char* appearanceModeKey = kOSDAppearanceModeKey;
    static constexpr const char* headerIconStyleKey = kOSDHeaderIconStyleKey;
    static constexpr const char* gridPlacementKey = "osdGridPlacement";
    static constexpr const char* labelPlacementKey = "osdLabelPlacement";
    static constexpr const char* gridSizeKey = kOSDGridSizeKey;
    static constexpr const char* gridOpacityKey = kOSDGridOpacityKey;
    static constexpr const char* previewTintKey = OSDPreviewTint::key;
    static constexpr const char* activeSpaceBorderWidthKey = OSDActiveSpaceBorderWidth::key;
    static constexpr const char* activeSpaceGlowSpreadKey = OSDActiveSpaceGlowSpread::key;
    static constexpr const char* activeSpaceGlowOpacityKey = OSDActiveSpaceGlowOpacity::key;
    static constexpr const char* activeSpaceAnimationKey = "osdActiveSpaceAnimationEnabled";
    static constexpr const char* overlayEnabledKey = "persistentGridOverlayEnabled";
    static constexpr const char* overlayPlacementKey = "persistentGridOverlayPlacement";
    static constexpr const char* overlayOpacityKey = kPersistentGridOverlayOpacityKey;
    static constexpr const char* overlaySizeKey = kPersistentGridOverlaySizeKey;
    static constexpr const char* overlayActiveColorKey = PersistentGridOverlayActiveColor::key;
    static constexpr const char* titleOverlayEnabledKey = "persistentTitleOverlayEnabled";
    static constexpr const char* titleOverlayPlacementKey = "persistentTitleOverlayPlacement";
    static constexpr const char* titleOverlayOpacityKey = kPersistentTitleOverlayOpacityKey;
    static constexpr const char* titleOverlayFontFamilyKey = PersistentTitleOverlayFont::familyKey;
    static constexpr const char* titleOverlayFontSizeKey = PersistentTitleOverlayFont::pointSizeKey;
    static constexpr const char* legacyTitleOverlaySizeKey =
        PersistentTitleOverlayFont::legacySizeKey;
    // Global only.
    static constexpr const char* screenshotsEnabledKey = "osdGridSpaceScreenshotsEnabled";
    static constexpr const char* screenshotTimingKey = kOSDGridScreenshotTimingKey;
    static constexpr const char* screenshotCaptureModeKey = kOSDGridScreenshotCaptureModeKey;

    static constexpr bool defaultShowOSD = true;
    static constexpr bool defaultActiveSpaceAnimationEnabled = true;
    static constexpr bool defaultOverlayEnabled = false;
    static constexpr bool defaultTitleOverlayEnabled = false;
    static constexpr bool defaultScreenshotsEnabled = true;

    // Which window a placement belongs to.
    enum class PlacementTarget { osdGrid, osdLabel, gridOverlay, titleOverlay };
    static const char* placementKey(PlacementTarget target);
    static OSDPlacement defaultPlacement(PlacementTarget target);

    explicit DisplayPresentationSettingsStore(UserDefaults& defaults);
    DisplayPresentationSettingsStore(const DisplayPresentationSettingsStore&) = delete;
    DisplayPresentationSettingsStore& operator=(const DisplayPresentationSettingsStore&) = delete;

    // The store over the current host's user defaults.
    static DisplayPresentationSettingsStore& shared();

    UserDefaults& defaults() const { return defaults_; }

    Published<std::int64_t> revision;

    // Everything resolved for a display; the global values for none (or a blank identifier).
    DisplayPresentationSettingsSnapshot
    snapshot(const std::optional<std::string>& displayIdentifier = {}) const;

    bool boolValue(const std::string& baseKey, const std::optional<std::string>& displayIdentifier,
                   bool globalDefault) const;
    OSDPlacement placementValue(PlacementTarget target,
                                const std::optional<std::string>& displayIdentifier) const;
    PersistentGridOverlayOpacity
    overlayOpacityValue(const std::optional<std::string>& displayIdentifier) const;
    PersistentGridOverlaySize
    overlaySizeValue(const std::optional<std::string>& displayIdentifier) const;
    PersistentGridOverlayActiveColor
    overlayActiveColorValue(const std::optional<std::string>& displayIdentifier) const;
    PersistentTitleOverlayOpacity
    titleOverlayOpacityValue(const std::optional<std::string>& displayIdentifier) const;
    std::string
    titleOverlayFontFamilyValue(const std::optional<std::string>& displayIdentifier) const;
    std::int64_t
    titleOverlayFontPointSizeValue(const std::optional<std::string>& displayIdentifier) const;

    bool hasOverrides(const std::string& displayIdentifier) const;
    // Removes every presentation override of the display; raises `revision` when one existed.
    void clearOverrides(const std::string& displayIdentifier);

    // The scoped writes; each returns whether it changed the defaults.
    bool setIntValue(std::int64_t value, const std::string& baseKey,
                     const DisplaySettingsScope& scope, std::int64_t globalValue);
    bool setStringValue(const std::string& value, const std::string& baseKey,
                        const DisplaySettingsScope& scope, const std::string& globalValue);
    // The comparison value is the stored global Boolean, else `globalDefault`.
    bool setBoolValue(bool value, const std::string& baseKey, const DisplaySettingsScope& scope,
                      bool globalDefault);

    // Typed writes compared with the value the global key resolves to now.
    bool setAppearanceMode(OSDAppearanceMode mode, const DisplaySettingsScope& scope);
    bool setHeaderIconStyle(OSDHeaderIconStyle style, const DisplaySettingsScope& scope);
    bool setGridSize(OSDGridSize size, const DisplaySettingsScope& scope);
    bool setOverlaySize(PersistentGridOverlaySize size, const DisplaySettingsScope& scope);
    bool setTitleOverlayFontFamily(const std::string& family, const DisplaySettingsScope& scope);
    bool setPlacementValue(OSDPlacement placement, PlacementTarget target,
                           const DisplaySettingsScope& scope);
    // Clamps into 10...96 and drops the older named size of the same scope, keeping the size
    // the overlay shows unchanged when the new key was not stored before.
    bool setTitleOverlayFontPointSize(std::int64_t pointSize, const DisplaySettingsScope& scope);
    // Global only.
    bool setScreenshotTiming(OSDGridScreenshotTiming timing);
    bool setScreenshotCaptureMode(OSDGridScreenshotCaptureMode mode);

    // Every key a display may override.
    static const std::vector<std::string>& overridableKeys();

private:
    DisplayOSDSettings osdSettings(const std::optional<std::string>& displayIdentifier) const;
    DisplayOverlaySettings
    overlaySettings(const std::optional<std::string>& displayIdentifier) const;
    DisplayTitleOverlaySettings
    titleOverlaySettings(const std::optional<std::string>& displayIdentifier) const;
    std::int64_t globalTitleOverlayFontPointSize() const;
    void recordEdit();
    // Records an edit when `changed`; answers `changed`.
    bool recordEditIf(bool changed);

    UserDefaults& defaults_;
};

} // namespace tessarin
