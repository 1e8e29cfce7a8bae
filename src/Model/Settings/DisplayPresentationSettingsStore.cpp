#include "Model/Settings/DisplayPresentationSettingsStore.h"

#include "Model/Settings/DisplaySettingsKey.h"
#include "Model/Settings/OSDAllowsMouseSelectionSetting.h"
#include "Model/Settings/OSDGridShuffleRearrangingSetting.h"
#include "Model/Settings/PersistedSetting.h"
#include "Platform/Host.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

namespace {

using Store = DisplayPresentationSettingsStore;
using Identifier = std::optional<std::string>;

// Resolves one value: a valid override of the display, else a valid global value, else the
// fallback. `parse` turns a stored value into the setting or nothing.
template <class T, class Parse>
T resolve(const UserDefaults& defaults, const std::string& baseKey, const Identifier& identifier,
          T fallback, Parse parse) {
    if (const auto trimmed = trimmedDisplayIdentifier(identifier)) {
        if (const auto stored = defaults.object(displaySettingsOverrideKey(baseKey, *trimmed))) {
            if (auto value = parse(*stored))
                return *value;
        }
    }
    if (const auto stored = defaults.object(baseKey)) {
        if (auto value = parse(*stored))
            return *value;
    }
    return fallback;
}

std::optional<bool> parseBool(const PropertyValue& value) {
    return value.boolValue();
}

template <class E> std::optional<E> parseCase(const PropertyValue& value) {
    const auto text = value.stringValue();
    return text ? fromRawValue<E>(*text) : std::nullopt;
}

template <class E> std::optional<E> parsePercentCase(const PropertyValue& value) {
    const auto number = value.integerValue();
    return number ? fromRawValue<E>(*number) : std::nullopt;
}

// A stored number as the nearest allowed value of an integer setting.
template <class T> std::optional<T> parseNormalizedNumber(const PropertyValue& value) {
    const auto number = value.doubleValue();
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    return T(static_cast<int>(std::lround(std::clamp(*number, -1000.0, 1000.0))));
}

std::optional<PersistentGridOverlayActiveColor> parseActiveColor(const PropertyValue& value) {
    const auto text = value.stringValue();
    return text ? PersistentGridOverlayActiveColor::fromRawValue(*text) : std::nullopt;
}

std::optional<std::string> parseFontFamily(const PropertyValue& value) {
    const auto text = value.stringValue();
    return text ? std::optional(PersistentTitleOverlayFont::normalizedFamily(*text)) : std::nullopt;
}

std::int64_t platformPointSize(const PropertyValue& value) {
    return PersistentTitleOverlayFont::clampedPointSize(integerValueAsPlatformReads(value));
}

// The write rule shared by every scoped setter. `holds` says whether a stored value already is
// `value`; `equalsGlobal` whether `value` equals the comparison value of the scope.
template <class Holds>
bool writeScoped(UserDefaults& defaults, const std::string& baseKey,
                 const DisplaySettingsScope& scope, const PropertyValue& value, bool equalsGlobal,
                 Holds holds) {
    if (scope.isGlobal()) {
        if (equalsGlobal)
            return false;
        defaults.set(baseKey, value);
        return true;
    }
    const auto key = displaySettingsKey(baseKey, scope);
    if (!key)
        return false;
    const auto stored = defaults.object(*key);
    if (equalsGlobal) {
        if (!stored)
            return false;
        defaults.remove(*key);
        return true;
    }
    if (stored && holds(*stored))
        return false;
    defaults.set(*key, value);
    return true;
}

// Global scope compares with the stored global value when there is one, else with the given
// value; a display scope compares with the given value.
template <class T, class Read>
bool equalsGlobalValue(const UserDefaults& defaults, const std::string& baseKey,
                       const DisplaySettingsScope& scope, const T& value, const T& globalValue,
                       Read read) {
    if (scope.isGlobal()) {
        if (const auto stored = defaults.object(baseKey)) {
            const auto typed = read(*stored);
            return typed && *typed == value;
        }
    }
    return value == globalValue;
}

// Writes `value` under the scope's key unless it is already what that scope reads; `readGlobal`
// reads a stored global value for the comparison with the global one, `readStored` the value
// the scope's key holds now.
template <class T, class ReadGlobal, class ReadStored>
bool writeScopedSetting(UserDefaults& defaults, const T& value, const std::string& baseKey,
                        const DisplaySettingsScope& scope, const T& globalValue,
                        ReadGlobal readGlobal, ReadStored readStored) {
    const bool equalsGlobal =
        equalsGlobalValue(defaults, baseKey, scope, value, globalValue, readGlobal);
    return writeScoped(defaults, baseKey, scope, value, equalsGlobal,
                       [&](const PropertyValue& stored) { return readStored(stored) == value; });
}

const std::vector<std::string>& globalOnlyKeys() {
    static const std::vector<std::string> keys{
        Store::screenshotsEnabledKey, Store::screenshotTimingKey, Store::screenshotCaptureModeKey,
        OSDAllowsMouseSelectionSetting::key, OSDGridShuffleRearrangingSetting::key};
    return keys;
}

} // namespace

DisplayPresentationSettingsStore::DisplayPresentationSettingsStore(UserDefaults& defaults)
    : revision(0), defaults_(defaults) {}

const char* DisplayPresentationSettingsStore::placementKey(PlacementTarget target) {
    switch (target) {
    case PlacementTarget::osdGrid:
        return gridPlacementKey;
    case PlacementTarget::osdLabel:
        return labelPlacementKey;
    case PlacementTarget::gridOverlay:
        return overlayPlacementKey;
    case PlacementTarget::titleOverlay:
        return titleOverlayPlacementKey;
    }
    return gridPlacementKey;
}

DisplayPresentationSettingsStore& DisplayPresentationSettingsStore::shared() {
    return Host::current().sharedInstance<DisplayPresentationSettingsStore>([](Host& host) {
        return std::make_shared<DisplayPresentationSettingsStore>(host.defaults());
    });
}

OSDPlacement DisplayPresentationSettingsStore::defaultPlacement(PlacementTarget target) {
    switch (target) {
    case PlacementTarget::osdGrid:
    case PlacementTarget::osdLabel:
        return OSDPlacement::center;
    case PlacementTarget::gridOverlay:
        return DisplayOverlaySettings{}.placement;
    case PlacementTarget::titleOverlay:
        return DisplayTitleOverlaySettings{}.placement;
    }
    return OSDPlacement::center;
}

const std::vector<std::string>& DisplayPresentationSettingsStore::overridableKeys() {
    static const std::vector<std::string> keys{
        showOSDKey,
        appearanceModeKey,
        headerIconStyleKey,
        gridPlacementKey,
        labelPlacementKey,
        gridSizeKey,
        gridOpacityKey,
        previewTintKey,
        activeSpaceBorderWidthKey,
        activeSpaceGlowSpreadKey,
        activeSpaceGlowOpacityKey,
        activeSpaceAnimationKey,
        overlayEnabledKey,
        overlayPlacementKey,
        overlayOpacityKey,
        overlaySizeKey,
        overlayActiveColorKey,
        titleOverlayEnabledKey,
        titleOverlayPlacementKey,
        titleOverlayOpacityKey,
        titleOverlayFontFamilyKey,
        titleOverlayFontSizeKey,
        legacyTitleOverlaySizeKey,
    };
    return keys;
}

// Reading

DisplayPresentationSettingsSnapshot
DisplayPresentationSettingsStore::snapshot(const Identifier& displayIdentifier) const {
    DisplayPresentationSettingsSnapshot result;
    result.osd = osdSettings(displayIdentifier);
    result.overlay = overlaySettings(displayIdentifier);
    result.titleOverlay = titleOverlaySettings(displayIdentifier);
    result.osdAppearance = OSDGridAppearanceSettings{
        result.osd.appearanceMode,         result.osd.headerIconStyle,
        result.overlay.activeColor,        result.osd.previewTint,
        result.osd.activeSpaceBorderWidth, result.osd.activeSpaceGlowSpread,
        result.osd.activeSpaceGlowOpacity,
    };
    result.screenshotsEnabled =
        defaults_.boolValue(screenshotsEnabledKey).value_or(defaultScreenshotsEnabled);
    result.screenshotTiming = resolve(defaults_, screenshotTimingKey, std::nullopt,
                                      result.screenshotTiming, parseCase<OSDGridScreenshotTiming>);
    result.screenshotCaptureMode =
        resolve(defaults_, screenshotCaptureModeKey, std::nullopt, result.screenshotCaptureMode,
                parseCase<OSDGridScreenshotCaptureMode>);
    result.activeSpaceAnimationEnabled =
        boolValue(activeSpaceAnimationKey, displayIdentifier, defaultActiveSpaceAnimationEnabled);
    result.allowsMouseSelection = OSDAllowsMouseSelectionSetting::persisted(defaults_);
    result.rearrangementBehavior =
        rearrangementBehavior(OSDGridShuffleRearrangingSetting::persisted(defaults_));
    return result;
}

DisplayOSDSettings
DisplayPresentationSettingsStore::osdSettings(const Identifier& displayIdentifier) const {
    DisplayOSDSettings osd;
    osd.isEnabled = boolValue(showOSDKey, displayIdentifier, defaultShowOSD);
    osd.appearanceMode = resolve(defaults_, appearanceModeKey, displayIdentifier,
                                 osd.appearanceMode, parseCase<OSDAppearanceMode>);
    osd.headerIconStyle = resolve(defaults_, headerIconStyleKey, displayIdentifier,
                                  osd.headerIconStyle, parseCase<OSDHeaderIconStyle>);
    osd.labelPlacement = placementValue(PlacementTarget::osdLabel, displayIdentifier);
    osd.gridPlacement = placementValue(PlacementTarget::osdGrid, displayIdentifier);
    osd.gridSize =
        resolve(defaults_, gridSizeKey, displayIdentifier, osd.gridSize, parseCase<OSDGridSize>);
    osd.gridOpacity = resolve(defaults_, gridOpacityKey, displayIdentifier, osd.gridOpacity,
                              parsePercentCase<OSDGridOpacity>);
    osd.previewTint = resolve(defaults_, previewTintKey, displayIdentifier, osd.previewTint,
                              parseNormalizedNumber<OSDPreviewTint>);
    osd.activeSpaceBorderWidth =
        resolve(defaults_, activeSpaceBorderWidthKey, displayIdentifier, osd.activeSpaceBorderWidth,
                parseNormalizedNumber<OSDActiveSpaceBorderWidth>);
    osd.activeSpaceGlowSpread =
        resolve(defaults_, activeSpaceGlowSpreadKey, displayIdentifier, osd.activeSpaceGlowSpread,
                parseNormalizedNumber<OSDActiveSpaceGlowSpread>);
    osd.activeSpaceGlowOpacity =
        resolve(defaults_, activeSpaceGlowOpacityKey, displayIdentifier, osd.activeSpaceGlowOpacity,
                parseNormalizedNumber<OSDActiveSpaceGlowOpacity>);
    return osd;
}

DisplayOverlaySettings
DisplayPresentationSettingsStore::overlaySettings(const Identifier& displayIdentifier) const {
    DisplayOverlaySettings overlay;
    overlay.isEnabled = boolValue(overlayEnabledKey, displayIdentifier, defaultOverlayEnabled);
    overlay.placement = placementValue(PlacementTarget::gridOverlay, displayIdentifier);
    overlay.opacity = overlayOpacityValue(displayIdentifier);
    overlay.size = overlaySizeValue(displayIdentifier);
    overlay.activeColor = overlayActiveColorValue(displayIdentifier);
    return overlay;
}

DisplayTitleOverlaySettings
DisplayPresentationSettingsStore::titleOverlaySettings(const Identifier& displayIdentifier) const {
    DisplayTitleOverlaySettings title;
    title.isEnabled =
        boolValue(titleOverlayEnabledKey, displayIdentifier, defaultTitleOverlayEnabled);
    title.placement = placementValue(PlacementTarget::titleOverlay, displayIdentifier);
    title.opacity = titleOverlayOpacityValue(displayIdentifier);
    title.font = PersistentTitleOverlayFont(titleOverlayFontFamilyValue(displayIdentifier),
                                            titleOverlayFontPointSizeValue(displayIdentifier));
    return title;
}

bool DisplayPresentationSettingsStore::boolValue(const std::string& baseKey,
                                                 const Identifier& displayIdentifier,
                                                 bool globalDefault) const {
    return resolve(defaults_, baseKey, displayIdentifier, globalDefault, parseBool);
}

OSDPlacement
DisplayPresentationSettingsStore::placementValue(PlacementTarget target,
                                                 const Identifier& displayIdentifier) const {
    return resolve(defaults_, placementKey(target), displayIdentifier, defaultPlacement(target),
                   parseCase<OSDPlacement>);
}

PersistentGridOverlayOpacity
DisplayPresentationSettingsStore::overlayOpacityValue(const Identifier& displayIdentifier) const {
    return resolve(defaults_, overlayOpacityKey, displayIdentifier,
                   kDefaultPersistentGridOverlayOpacity,
                   parsePercentCase<PersistentGridOverlayOpacity>);
}

PersistentGridOverlaySize
DisplayPresentationSettingsStore::overlaySizeValue(const Identifier& displayIdentifier) const {
    return resolve(defaults_, overlaySizeKey, displayIdentifier, kDefaultPersistentGridOverlaySize,
                   parseCase<PersistentGridOverlaySize>);
}

PersistentGridOverlayActiveColor DisplayPresentationSettingsStore::overlayActiveColorValue(
    const Identifier& displayIdentifier) const {
    return resolve(defaults_, overlayActiveColorKey, displayIdentifier,
                   PersistentGridOverlayActiveColor{}, parseActiveColor);
}

PersistentTitleOverlayOpacity DisplayPresentationSettingsStore::titleOverlayOpacityValue(
    const Identifier& displayIdentifier) const {
    return resolve(defaults_, titleOverlayOpacityKey, displayIdentifier,
                   kDefaultPersistentTitleOverlayOpacity,
                   parsePercentCase<PersistentTitleOverlayOpacity>);
}

std::string DisplayPresentationSettingsStore::titleOverlayFontFamilyValue(
    const Identifier& displayIdentifier) const {
    return resolve(defaults_, titleOverlayFontFamilyKey, displayIdentifier,
                   std::string(PersistentTitleOverlayFont::systemFamily), parseFontFamily);
}

std::int64_t DisplayPresentationSettingsStore::titleOverlayFontPointSizeValue(
    const Identifier& displayIdentifier) const {
    if (const auto trimmed = trimmedDisplayIdentifier(displayIdentifier)) {
        const auto stored =
            defaults_.object(displaySettingsOverrideKey(titleOverlayFontSizeKey, *trimmed));
        if (stored)
            return platformPointSize(*stored);
        const auto legacy =
            defaults_.stringValue(displaySettingsOverrideKey(legacyTitleOverlaySizeKey, *trimmed));
        if (legacy)
            return PersistentTitleOverlayFont::pointSizeForLegacySize(*legacy);
    }
    return globalTitleOverlayFontPointSize();
}

std::int64_t DisplayPresentationSettingsStore::globalTitleOverlayFontPointSize() const {
    return PersistentTitleOverlayFont::persistedPointSize(defaults_);
}

// Overrides

bool DisplayPresentationSettingsStore::hasOverrides(const std::string& displayIdentifier) const {
    const auto trimmed = trimmedDisplayIdentifier(displayIdentifier);
    if (!trimmed)
        return false;
    for (const auto* keys : {&overridableKeys(), &globalOnlyKeys()}) {
        for (const std::string& key : *keys) {
            if (defaults_.contains(displaySettingsOverrideKey(key, *trimmed)))
                return true;
        }
    }
    return false;
}

void DisplayPresentationSettingsStore::clearOverrides(const std::string& displayIdentifier) {
    const auto trimmed = trimmedDisplayIdentifier(displayIdentifier);
    if (!trimmed)
        return;
    bool removed = false;
    for (const auto* keys : {&overridableKeys(), &globalOnlyKeys()}) {
        for (const std::string& key : *keys) {
            const std::string overrideKey = displaySettingsOverrideKey(key, *trimmed);
            if (defaults_.contains(overrideKey)) {
                defaults_.remove(overrideKey);
                removed = true;
            }
        }
    }
    if (removed)
        recordEdit();
}

// Writing

void DisplayPresentationSettingsStore::recordEdit() {
    revision.set(revision.value() + 1);
}

bool DisplayPresentationSettingsStore::setIntValue(std::int64_t value, const std::string& baseKey,
                                                   const DisplaySettingsScope& scope,
                                                   std::int64_t globalValue) {
    const auto read = [](const PropertyValue& stored) { return stored.integerValue(); };
    return recordEditIf(
        writeScopedSetting(defaults_, value, baseKey, scope, globalValue, read, read));
}

bool DisplayPresentationSettingsStore::setStringValue(const std::string& value,
                                                      const std::string& baseKey,
                                                      const DisplaySettingsScope& scope,
                                                      const std::string& globalValue) {
    const auto read = [](const PropertyValue& stored) { return stored.stringValue(); };
    return recordEditIf(
        writeScopedSetting(defaults_, value, baseKey, scope, globalValue, read, read));
}

bool DisplayPresentationSettingsStore::setBoolValue(bool value, const std::string& baseKey,
                                                    const DisplaySettingsScope& scope,
                                                    bool globalDefault) {
    const bool globalValue = defaults_.boolValue(baseKey).value_or(globalDefault);
    return recordEditIf(
        writeScopedSetting(defaults_, value, baseKey, scope, globalValue, parseBool,
                           [](const PropertyValue& stored) { return stored.boolValue(); }));
}

bool DisplayPresentationSettingsStore::recordEditIf(bool changed) {
    if (changed)
        recordEdit();
    return changed;
}

bool DisplayPresentationSettingsStore::setAppearanceMode(OSDAppearanceMode mode,
                                                         const DisplaySettingsScope& scope) {
    return setStringValue(rawValue(mode), appearanceModeKey, scope,
                          rawValue(osdSettings(std::nullopt).appearanceMode));
}

bool DisplayPresentationSettingsStore::setHeaderIconStyle(OSDHeaderIconStyle style,
                                                          const DisplaySettingsScope& scope) {
    return setStringValue(rawValue(style), headerIconStyleKey, scope,
                          rawValue(osdSettings(std::nullopt).headerIconStyle));
}

bool DisplayPresentationSettingsStore::setGridSize(OSDGridSize size,
                                                   const DisplaySettingsScope& scope) {
    return setStringValue(rawValue(size), gridSizeKey, scope,
                          rawValue(osdSettings(std::nullopt).gridSize));
}

bool DisplayPresentationSettingsStore::setOverlaySize(PersistentGridOverlaySize size,
                                                      const DisplaySettingsScope& scope) {
    return setStringValue(rawValue(size), overlaySizeKey, scope,
                          rawValue(overlaySizeValue(std::nullopt)));
}

bool DisplayPresentationSettingsStore::setTitleOverlayFontFamily(
    const std::string& family, const DisplaySettingsScope& scope) {
    return setStringValue(PersistentTitleOverlayFont::normalizedFamily(family),
                          titleOverlayFontFamilyKey, scope,
                          titleOverlayFontFamilyValue(std::nullopt));
}

bool DisplayPresentationSettingsStore::setPlacementValue(OSDPlacement placement,
                                                         PlacementTarget target,
                                                         const DisplaySettingsScope& scope) {
    return setStringValue(rawValue(placement), placementKey(target), scope,
                          rawValue(placementValue(target, std::nullopt)));
}

bool DisplayPresentationSettingsStore::setTitleOverlayFontPointSize(
    std::int64_t pointSize, const DisplaySettingsScope& scope) {
    const std::int64_t size = PersistentTitleOverlayFont::clampedPointSize(pointSize);
    const std::int64_t globalSize = globalTitleOverlayFontPointSize();
    const auto key = displaySettingsKey(titleOverlayFontSizeKey, scope);
    const auto legacyKey = displaySettingsKey(legacyTitleOverlaySizeKey, scope);
    if (!key || !legacyKey)
        return false;
    const auto stored = defaults_.object(*key);
    const bool hasLegacy = defaults_.contains(*legacyKey);
    bool changed = false;
    if (scope.isGlobal()) {
        // Dropping the older named size must not change the size shown, so the new key is
        // written whenever it was missing.
        if (size != globalSize || (hasLegacy && !stored)) {
            defaults_.set(*key, size);
            changed = true;
        }
    } else if (size == globalSize) {
        if (stored) {
            defaults_.remove(*key);
            changed = true;
        }
    } else if (!stored || platformPointSize(*stored) != size) {
        defaults_.set(*key, size);
        changed = true;
    }
    if (hasLegacy) {
        defaults_.remove(*legacyKey);
        changed = true;
    }
    if (changed)
        recordEdit();
    return changed;
}

bool DisplayPresentationSettingsStore::setScreenshotTiming(OSDGridScreenshotTiming timing) {
    return setStringValue(rawValue(timing), screenshotTimingKey, DisplaySettingsScope::global(),
                          rawValue(snapshot().screenshotTiming));
}

bool DisplayPresentationSettingsStore::setScreenshotCaptureMode(OSDGridScreenshotCaptureMode mode) {
    return setStringValue(rawValue(mode), screenshotCaptureModeKey, DisplaySettingsScope::global(),
                          rawValue(snapshot().screenshotCaptureMode));
}

} // namespace tessarin
