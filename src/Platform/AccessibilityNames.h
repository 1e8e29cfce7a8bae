#pragma once

namespace tessarin {

// The attribute, role and action names every application's accessibility tree understands.
namespace AccessibilityAttribute {
inline constexpr const char* role = "AXRole";
inline constexpr const char* title = "AXTitle";
inline constexpr const char* description = "AXDescription";
inline constexpr const char* identifier = "AXIdentifier";
inline constexpr const char* children = "AXChildren";
inline constexpr const char* frame = "AXFrame";
} // namespace AccessibilityAttribute

namespace AccessibilityRole {
inline constexpr const char* application = "AXApplication";
inline constexpr const char* group = "AXGroup";
inline constexpr const char* list = "AXList";
inline constexpr const char* button = "AXButton";
} // namespace AccessibilityRole

namespace AccessibilityAction {
inline constexpr const char* press = "AXPress";
} // namespace AccessibilityAction

} // namespace tessarin
