#pragma once

#include "Core/Previews/OSDGridWindowRecord.h"
#include "Platform/Preferences/PropertyValue.h"

#include <map>
#include <optional>
#include <vector>

namespace tessarin {

// Reading the window server's list of window dictionaries into records. Safe off the main
// thread: the list and the bridge's window-to-Spaces lookup are.
namespace OSDGridWindowList {

// Every window, front to back; empty when the list is missing or not an array of dictionaries.
std::vector<OSDGridWindowRecord> defaultWindowProvider();
// Window number to position in the on-screen list; the first position wins.
std::map<WindowID, int64_t> onScreenWindowIndices();
// Nothing without a usable window number, process identifier or bounds dictionary.
std::optional<OSDGridWindowRecord> parseWindow(const PropertyDictionary& window, int64_t zIndex,
                                               const std::map<WindowID, int64_t>& onScreenIndices);
// The bridge's Spaces of a window without zeros; nothing when it has none.
std::optional<std::vector<SpaceID>> defaultSpaceIDsProvider(WindowID window);

// A number of either kind: a double only when finite, whole and in range.
std::optional<int64_t> integerValue(const PropertyValue* value);
std::optional<double> doubleValue(const PropertyValue* value);
std::optional<bool> boolValue(const PropertyValue* value);

} // namespace OSDGridWindowList

} // namespace tessarin
