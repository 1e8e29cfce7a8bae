#pragma once

#include "Platform/AccessibilityElement.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace tessarin {

// The titles an application's focused and main windows answer through Accessibility; an absent
// one means the application reports no such window.
struct ApplicationWindowTitlesSpec {
    std::optional<std::string> focused;
    std::optional<std::string> main;
    friend bool operator==(const ApplicationWindowTitlesSpec&,
                           const ApplicationWindowTitlesSpec&) = default;
};

namespace AccessibilityWindowAttribute {
inline constexpr const char* focusedWindow = "AXFocusedWindow";
inline constexpr const char* mainWindow = "AXMainWindow";
} // namespace AccessibilityWindowAttribute

// Publishes, for applications that have titles set, an application element whose focused and
// main windows carry "AXTitle". Main thread only.
class ApplicationWindowTitles {
public:
    explicit ApplicationWindowTitles(std::map<int32_t, ApplicationWindowTitlesSpec> titles = {});

    void setTitles(int32_t processIdentifier, ApplicationWindowTitlesSpec titles);
    void removeTitles(int32_t processIdentifier);
    // The tree of a process, or null when it has no titles set (another provider may answer).
    std::shared_ptr<const AccessibilityNode> applicationTree(int32_t processIdentifier) const;

private:
    std::map<int32_t, ApplicationWindowTitlesSpec> titles_;
};

} // namespace tessarin
