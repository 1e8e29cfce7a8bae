#pragma once

#include "Model/Settings/DisplaySettingsScope.h"
#include "Model/Settings/GridColumnCount.h"
#include "Model/Settings/GridWrapStyle.h"
#include "Platform/Preferences/Preferences.h"
#include "Support/Published.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// The grid settings, global and per display, kept in the program's own preference domain.
// A per-display override is the setting's key followed by ".display." and the trimmed display
// identifier. Every getter falls back from a valid override to a valid global value to the
// built-in default, and never writes.
class GridModeStore {
public:
    static constexpr const char* gridModeEnabledKey = "gridModeEnabled";
    static constexpr const char* columnCountKey = "gridColumnCount";
    static constexpr const char* blocksAtEdgesKey = "gridBlocksAtEdges";
    static constexpr const char* wrapStyleKey = "gridWrapStyle";
    static constexpr const char* switchOnModifierReleaseKey = "gridSwitchOnModifierRelease";
    static constexpr const char* hideOSDOnDirectJumpKey = "osdHideOnDirectJump";
    static constexpr const char* usePlaceholdersKey = "gridUsePlaceholders";
    static constexpr const char* showOSDSpacePickerOnAllScreensKey =
        "showOSDSpacePickerOnAllScreens";

    static constexpr bool defaultGridModeEnabled = true;
    static constexpr GridColumnCount defaultColumnCount = GridColumnCount::three;
    static constexpr bool defaultBlocksAtEdges = true;
    static constexpr GridWrapStyle defaultWrapStyle = GridWrapStyle::snake;
    static constexpr bool defaultSwitchOnModifierRelease = true;
    static constexpr bool defaultHideOSDOnDirectJump = false;
    static constexpr bool defaultUsePlaceholders = false;
    static constexpr bool defaultShowOSDSpacePickerOnAllScreens = false;

    explicit GridModeStore(Preferences& preferences, std::string domain = defaultDomain());
    ~GridModeStore();
    GridModeStore(const GridModeStore&) = delete;
    GridModeStore& operator=(const GridModeStore&) = delete;

    // The store of the current host's own preference domain.
    static GridModeStore& shared();
    static std::string defaultDomain();

    const std::string& domain() const { return domain_; }
    // The preferences the store reads and writes, for writers of the keys it has no setter for.
    Preferences& preferences() const { return preferences_; }

    // The global grid-mode switch; follows "gridModeEnabled" when it changes in the domain.
    Published<bool> isEnabled;
    // Raised by one on every stored grid setting.
    Published<std::int64_t> settingsRevision;
    // The global picker-on-all-screens setting, read once; whoever writes the key updates it and
    // raises `settingsRevision`.
    bool globalShowOSDSpacePickerOnAllScreens = defaultShowOSDSpacePickerOnAllScreens;

    // The setting as stored; its raw value is not a number of columns.
    GridColumnCount columnCount(const std::optional<std::string>& displayIdentifier = {}) const;
    // The number of grid columns, 2, 3 or 4, for the display: the one answer for everything that
    // lays out or walks the grid.
    std::uint32_t columns(const std::optional<std::string>& displayIdentifier = {}) const;
    bool blocksAtEdges(const std::optional<std::string>& displayIdentifier = {}) const;
    GridWrapStyle wrapStyle(const std::optional<std::string>& displayIdentifier = {}) const;
    bool switchOnModifierRelease(const std::optional<std::string>& displayIdentifier = {}) const;
    bool hideOSDOnDirectJump(const std::optional<std::string>& displayIdentifier = {}) const;
    bool usePlaceholders(const std::optional<std::string>& displayIdentifier = {}) const;

    // Each stores the value globally or as the display's override and raises
    // `settingsRevision`; storing the value already there, or a display scope whose identifier is
    // blank, writes nothing.
    void setColumnCount(GridColumnCount value, const DisplaySettingsScope& scope);
    void setBlocksAtEdges(bool value, const DisplaySettingsScope& scope);
    void setWrapStyle(GridWrapStyle value, const DisplaySettingsScope& scope);
    void setSwitchOnModifierRelease(bool value, const DisplaySettingsScope& scope);
    void setHideOSDOnDirectJump(bool value, const DisplaySettingsScope& scope);
    void setUsePlaceholders(bool value, const DisplaySettingsScope& scope);

    bool hasOverrides(const std::string& displayIdentifier) const;
    // Removes every per-display grid key of the display; raises `settingsRevision` when one
    // existed.
    void clearOverrides(const std::string& displayIdentifier);

private:
    static const std::array<const char*, 8>& perDisplayKeys();

    std::optional<PropertyValue> stored(const std::string& key) const;
    std::optional<bool> storedBool(const std::string& key) const;
    std::optional<GridColumnCount> storedColumnCount(const std::string& key) const;
    std::optional<GridWrapStyle> storedWrapStyle(const std::string& key) const;
    template <class T, class Reader>
    T resolved(const char* baseKey, const std::optional<std::string>& displayIdentifier,
               T defaultValue, Reader read) const;
    void store(const char* baseKey, const DisplaySettingsScope& scope, PropertyValue value);
    void reloadEnabled();

    Preferences& preferences_;
    std::string domain_;
    UserDefaultsObserverToken observerToken_;
};

} // namespace tessarin
