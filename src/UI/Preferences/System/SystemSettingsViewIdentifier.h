#pragma once

// The object names of the System page's views and of its App Filter sheet.
namespace tessarin::SystemSettingsViewIdentifier {

inline constexpr const char* systemSectionTitle = "system.section.system.title";
inline constexpr const char* osdBehaviorSectionTitle = "system.section.osdBehavior.title";
inline constexpr const char* launchAtLoginControl = "system.control.launchAtLogin";
inline constexpr const char* menuBarIconControl = "system.control.menuBarIcon";
inline constexpr const char* resetPermissionsRow = "system.row.resetPermissions";
inline constexpr const char* resetPermissionsControl = "system.control.resetPermissions";
inline constexpr const char* resetPermissionsDetail = "system.detail.resetPermissions";
inline constexpr const char* mouseSelectionRow = "system.row.mouseSelection";
inline constexpr const char* mouseSelectionControl = "system.control.mouseSelection";
inline constexpr const char* shuffleRearrangingRow = "system.row.shuffleRearranging";
inline constexpr const char* shuffleRearrangingControl = "system.control.shuffleRearranging";
inline constexpr const char* shuffleRearrangingDetail = "system.detail.shuffleRearranging";
inline constexpr const char* appFilterRow = "system.row.appFilter";
inline constexpr const char* appFilterControl = "system.control.appFilter";
inline constexpr const char* appFilterDetail = "system.detail.appFilter";
inline constexpr const char* appFilterTextField = "system.control.appFilter.textField";
inline constexpr const char* appFilterAddControl = "system.control.appFilter.add";
inline constexpr const char* appFilterRemoveControl = "system.control.appFilter.remove";
inline constexpr const char* appFilterTable = "system.control.appFilter.table";
inline constexpr const char* appFilterDoneControl = "system.control.appFilter.done";
inline constexpr const char* appFilterCell = "system.control.appFilter.cell";

} // namespace tessarin::SystemSettingsViewIdentifier
