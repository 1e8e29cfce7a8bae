#include "Model/Settings/GridModeStore.h"

#include "Model/Settings/DisplaySettingsKey.h"
#include "Platform/Host.h"
#include "Support/BundleIdentifier.h"

namespace tessarin {

GridModeStore::GridModeStore(Preferences& preferences, std::string domain)
    : isEnabled(defaultGridModeEnabled), settingsRevision(0), preferences_(preferences),
      domain_(std::move(domain)) {
    isEnabled.set(storedBool(gridModeEnabledKey).value_or(defaultGridModeEnabled));
    globalShowOSDSpacePickerOnAllScreens = storedBool(showOSDSpacePickerOnAllScreensKey)
                                               .value_or(defaultShowOSDSpacePickerOnAllScreens);
    observerToken_ = preferences_.domain(domain_).addObserver([this](const std::string& key) {
        if (key == gridModeEnabledKey)
            reloadEnabled();
    });
}

GridModeStore& GridModeStore::shared() {
    return Host::current().sharedInstance<GridModeStore>(
        [](Host& host) { return std::make_shared<GridModeStore>(host.preferences()); });
}

GridModeStore::~GridModeStore() {
    preferences_.domain(domain_).removeObserver(observerToken_);
}

std::string GridModeStore::defaultDomain() {
    return kBundleIdentifier;
}

const std::array<const char*, 8>& GridModeStore::perDisplayKeys() {
    static const std::array<const char*, 8> keys{
        gridModeEnabledKey,         columnCountKey,
        blocksAtEdgesKey,           wrapStyleKey,
        switchOnModifierReleaseKey, hideOSDOnDirectJumpKey,
        usePlaceholdersKey,         showOSDSpacePickerOnAllScreensKey};
    return keys;
}

std::optional<PropertyValue> GridModeStore::stored(const std::string& key) const {
    return preferences_.copyAppValue(key, domain_);
}

std::optional<bool> GridModeStore::storedBool(const std::string& key) const {
    const auto value = stored(key);
    return value ? value->boolValue() : std::nullopt;
}

std::optional<GridColumnCount> GridModeStore::storedColumnCount(const std::string& key) const {
    const auto value = stored(key);
    const auto raw = value ? value->integerValue() : std::nullopt;
    return raw ? fromRawValue<GridColumnCount>(*raw) : std::nullopt;
}

std::optional<GridWrapStyle> GridModeStore::storedWrapStyle(const std::string& key) const {
    const auto value = stored(key);
    const auto raw = value ? value->stringValue() : std::nullopt;
    return raw ? fromRawValue<GridWrapStyle>(*raw) : std::nullopt;
}

template <class T, class Reader>
T GridModeStore::resolved(const char* baseKey, const std::optional<std::string>& displayIdentifier,
                          T defaultValue, Reader read) const {
    if (const auto identifier = trimmedDisplayIdentifier(displayIdentifier)) {
        if (auto value = read(displaySettingsOverrideKey(baseKey, *identifier)))
            return *value;
    }
    return read(baseKey).value_or(defaultValue);
}

GridColumnCount
GridModeStore::columnCount(const std::optional<std::string>& displayIdentifier) const {
    return resolved(columnCountKey, displayIdentifier, defaultColumnCount,
                    [this](const std::string& key) { return storedColumnCount(key); });
}

std::uint32_t GridModeStore::columns(const std::optional<std::string>& displayIdentifier) const {
    return static_cast<std::uint32_t>(tessarin::columns(columnCount(displayIdentifier)));
}

bool GridModeStore::blocksAtEdges(const std::optional<std::string>& displayIdentifier) const {
    return resolved(blocksAtEdgesKey, displayIdentifier, defaultBlocksAtEdges,
                    [this](const std::string& key) { return storedBool(key); });
}

GridWrapStyle GridModeStore::wrapStyle(const std::optional<std::string>& displayIdentifier) const {
    return resolved(wrapStyleKey, displayIdentifier, defaultWrapStyle,
                    [this](const std::string& key) { return storedWrapStyle(key); });
}

bool GridModeStore::switchOnModifierRelease(
    const std::optional<std::string>& displayIdentifier) const {
    return resolved(switchOnModifierReleaseKey, displayIdentifier, defaultSwitchOnModifierRelease,
                    [this](const std::string& key) { return storedBool(key); });
}

bool GridModeStore::hideOSDOnDirectJump(const std::optional<std::string>& displayIdentifier) const {
    return resolved(hideOSDOnDirectJumpKey, displayIdentifier, defaultHideOSDOnDirectJump,
                    [this](const std::string& key) { return storedBool(key); });
}

bool GridModeStore::usePlaceholders(const std::optional<std::string>& displayIdentifier) const {
    return resolved(usePlaceholdersKey, displayIdentifier, defaultUsePlaceholders,
                    [this](const std::string& key) { return storedBool(key); });
}

void GridModeStore::store(const char* baseKey, const DisplaySettingsScope& scope,
                          PropertyValue value) {
    const auto key = displaySettingsKey(baseKey, scope);
    if (!key || stored(*key) == value)
        return;
    preferences_.setAppValue(*key, std::move(value), domain_);
    preferences_.appSynchronize(domain_);
    settingsRevision.set(settingsRevision.value() + 1);
}

void GridModeStore::setColumnCount(GridColumnCount value, const DisplaySettingsScope& scope) {
    store(columnCountKey, scope, rawValue(value));
}

void GridModeStore::setBlocksAtEdges(bool value, const DisplaySettingsScope& scope) {
    store(blocksAtEdgesKey, scope, value);
}

void GridModeStore::setWrapStyle(GridWrapStyle value, const DisplaySettingsScope& scope) {
    store(wrapStyleKey, scope, rawValue(value));
}

void GridModeStore::setSwitchOnModifierRelease(bool value, const DisplaySettingsScope& scope) {
    store(switchOnModifierReleaseKey, scope, value);
}

void GridModeStore::setHideOSDOnDirectJump(bool value, const DisplaySettingsScope& scope) {
    store(hideOSDOnDirectJumpKey, scope, value);
}

void GridModeStore::setUsePlaceholders(bool value, const DisplaySettingsScope& scope) {
    store(usePlaceholdersKey, scope, value);
}

bool GridModeStore::hasOverrides(const std::string& displayIdentifier) const {
    const auto identifier = trimmedDisplayIdentifier(displayIdentifier);
    if (!identifier)
        return false;
    for (const char* key : perDisplayKeys()) {
        if (stored(displaySettingsOverrideKey(key, *identifier)))
            return true;
    }
    return false;
}

void GridModeStore::clearOverrides(const std::string& displayIdentifier) {
    const auto identifier = trimmedDisplayIdentifier(displayIdentifier);
    if (!identifier)
        return;
    bool removed = false;
    for (const char* key : perDisplayKeys()) {
        const std::string overrideKey = displaySettingsOverrideKey(key, *identifier);
        if (stored(overrideKey)) {
            preferences_.setAppValue(overrideKey, std::nullopt, domain_);
            removed = true;
        }
    }
    if (!removed)
        return;
    preferences_.appSynchronize(domain_);
    settingsRevision.set(settingsRevision.value() + 1);
}

void GridModeStore::reloadEnabled() {
    const bool enabled = storedBool(gridModeEnabledKey).value_or(defaultGridModeEnabled);
    if (enabled != isEnabled.value())
        isEnabled.set(enabled);
}

} // namespace tessarin
