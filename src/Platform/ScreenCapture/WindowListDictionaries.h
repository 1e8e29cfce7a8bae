#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Platform/WindowServerTypes.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace tessarin {

class WindowServer;

// The keys of one window's dictionary in the window list programs read.
namespace WindowListKey {
inline constexpr const char* number = "kCGWindowNumber";
inline constexpr const char* ownerPID = "kCGWindowOwnerPID";
inline constexpr const char* ownerName = "kCGWindowOwnerName";
inline constexpr const char* name = "kCGWindowName";
inline constexpr const char* bounds = "kCGWindowBounds";
inline constexpr const char* layer = "kCGWindowLayer";
inline constexpr const char* isOnscreen = "kCGWindowIsOnscreen";
inline constexpr const char* alpha = "kCGWindowAlpha";
inline constexpr const char* sharingState = "kCGWindowSharingState";
} // namespace WindowListKey

// What the list call hands back instead of an array of dictionaries, to try readers on.
enum class WindowListShape { dictionaries, missing, notAnArray, notAllDictionaries };

// The window list as an array of dictionaries of window-server keys, with faults on demand:
// another shape, extra raw entries after the real ones, and keys of one window replaced or
// removed. Safe from any thread (background scans read it).
class WindowListDictionaries {
public:
    explicit WindowListDictionaries(const WindowServer& server);

    // Front to back, filtered by the options; nothing while the list is unreadable.
    std::optional<PropertyValue> copyWindowInfo(uint32_t options, WindowID relativeTo) const;

    void setShape(WindowListShape shape);
    void setExtraEntries(PropertyArray entries);
    // A present value replaces the key of that window's dictionary, an absent one removes it.
    void overrideKey(WindowID window, const std::string& key, std::optional<PropertyValue> value);

    static PropertyDictionary dictionary(const WindowInfo& window);

private:
    const WindowServer& server_;
    mutable std::mutex mutex_;
    WindowListShape shape_ = WindowListShape::dictionaries;
    PropertyArray extras_;
    std::map<WindowID, std::map<std::string, std::optional<PropertyValue>>> overrides_;
};

} // namespace tessarin
