#include "Core/Previews/OSDGridWindowList.h"

#include "Core/Previews/OSDGridWindowDiagnostics.h"
#include "Platform/Host.h"
#include "Platform/ScreenCapture/WindowListDictionaries.h"
#include "TessarinCore/TessarinCore.h"

#include <cmath>
#include <limits>

namespace tessarin::OSDGridWindowList {

namespace {

std::optional<PropertyArray> dictionaryList(uint32_t options) {
    Host* host = Host::installed();
    if (host == nullptr) {
        return std::nullopt;
    }
    auto list = host->windowListDictionaries().copyWindowInfo(options, 0);
    const PropertyArray* array = list ? list->array() : nullptr;
    if (array == nullptr) {
        return std::nullopt;
    }
    for (const PropertyValue& element : *array) {
        if (!element.isDictionary()) {
            return std::nullopt;
        }
    }
    return std::move(*std::get_if<PropertyArray>(&list->storage));
}

const PropertyValue* member(const PropertyDictionary& dictionary, const char* key) {
    const auto it = dictionary.find(key);
    return it == dictionary.end() ? nullptr : &it->second;
}

std::optional<int64_t> inRange(std::optional<int64_t> value, int64_t low, int64_t high) {
    return value && *value >= low && *value <= high ? value : std::nullopt;
}

constexpr int64_t kMaxWindowID = std::numeric_limits<uint32_t>::max();

} // namespace

std::optional<int64_t> integerValue(const PropertyValue* value) {
    if (value == nullptr) {
        return std::nullopt;
    }
    if (const auto* integer = std::get_if<int64_t>(&value->storage)) {
        return *integer;
    }
    if (const auto* flag = std::get_if<bool>(&value->storage)) {
        return *flag ? 1 : 0;
    }
    if (const auto* number = std::get_if<double>(&value->storage)) {
        // A number object truncates; a value it cannot hold is no value rather than a guess.
        if (!std::isfinite(*number) || *number <= -9.2e18 || *number >= 9.2e18) {
            return std::nullopt;
        }
        return static_cast<int64_t>(*number);
    }
    return std::nullopt;
}

std::optional<double> doubleValue(const PropertyValue* value) {
    if (value == nullptr) {
        return std::nullopt;
    }
    if (const auto* number = std::get_if<double>(&value->storage)) {
        return *number;
    }
    if (const auto* integer = std::get_if<int64_t>(&value->storage)) {
        return static_cast<double>(*integer);
    }
    if (const auto* flag = std::get_if<bool>(&value->storage)) {
        return *flag ? 1.0 : 0.0;
    }
    return std::nullopt;
}

std::optional<bool> boolValue(const PropertyValue* value) {
    if (value == nullptr) {
        return std::nullopt;
    }
    if (const auto* flag = std::get_if<bool>(&value->storage)) {
        return *flag;
    }
    if (const auto number = doubleValue(value)) {
        return *number != 0;
    }
    return std::nullopt;
}

std::optional<OSDGridWindowRecord> parseWindow(const PropertyDictionary& window, int64_t zIndex,
                                               const std::map<WindowID, int64_t>& onScreenIndices) {
    const auto number =
        inRange(integerValue(member(window, WindowListKey::number)), 0, kMaxWindowID);
    const auto pid =
        inRange(integerValue(member(window, WindowListKey::ownerPID)),
                std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    const PropertyValue* boundsValue = member(window, WindowListKey::bounds);
    const PropertyDictionary* bounds = boundsValue ? boundsValue->dictionary() : nullptr;
    if (!number || !pid || bounds == nullptr) {
        return std::nullopt;
    }
    const auto component = [bounds](const char* key) {
        return doubleValue(member(*bounds, key)).value_or(0.0);
    };
    OSDGridWindowRecord record;
    record.windowID = static_cast<WindowID>(*number);
    record.processIdentifier = static_cast<int32_t>(*pid);
    const PropertyValue* owner = member(window, WindowListKey::ownerName);
    record.ownerName = owner ? owner->stringValue().value_or("") : "";
    const PropertyValue* title = member(window, WindowListKey::name);
    record.title = title ? title->stringValue().value_or("") : "";
    record.bounds = Rect(component("X"), component("Y"), component("Width"), component("Height"));
    record.zIndex = zIndex;
    if (const auto it = onScreenIndices.find(record.windowID); it != onScreenIndices.end()) {
        record.onScreenIndex = it->second;
    }
    record.layer = integerValue(member(window, WindowListKey::layer)).value_or(0);
    record.isOnScreen = boolValue(member(window, WindowListKey::isOnscreen)).value_or(false);
    record.alpha = doubleValue(member(window, WindowListKey::alpha)).value_or(1.0);
    record.sharingState = integerValue(member(window, WindowListKey::sharingState)).value_or(1);
    return record;
}

std::map<WindowID, int64_t> onScreenWindowIndices() {
    std::map<WindowID, int64_t> indices;
    const auto list =
        dictionaryList(WindowListOption::onScreenOnly | WindowListOption::excludeDesktopElements);
    if (!list) {
        return indices;
    }
    for (std::size_t i = 0; i < list->size(); ++i) {
        const auto number = inRange(
            integerValue(member(*(*list)[i].dictionary(), WindowListKey::number)), 0, kMaxWindowID);
        if (number) {
            indices.try_emplace(static_cast<WindowID>(*number), static_cast<int64_t>(i));
        }
    }
    return indices;
}

std::vector<OSDGridWindowRecord> defaultWindowProvider() {
    std::vector<OSDGridWindowRecord> records;
    const auto list = dictionaryList(WindowListOption::excludeDesktopElements);
    if (!list) {
        return records;
    }
    const auto onScreen = onScreenWindowIndices();
    records.reserve(list->size());
    for (std::size_t i = 0; i < list->size(); ++i) {
        if (auto record =
                parseWindow(*(*list)[i].dictionary(), static_cast<int64_t>(i), onScreen)) {
            records.push_back(std::move(*record));
        }
    }
    if (OSDGridWindowDiagnostics::isEnabled()) {
        OSDGridWindowDiagnostics::debugWindowRecords(OSDGridWindowRecord::diagnosticFields(records),
                                                     "provider.raw");
    }
    return records;
}

std::optional<std::vector<SpaceID>> defaultSpaceIDsProvider(WindowID window) {
    TessarinSpaceIDList* list = tessarin_copy_space_ids_for_window_id(window);
    if (list == nullptr) {
        return std::nullopt;
    }
    std::vector<SpaceID> ids;
    for (uint32_t i = 0; i < list->count; ++i) {
        if (list->spaceIDs[i] != 0) {
            ids.push_back(list->spaceIDs[i]);
        }
    }
    tessarin_release_space_id_list(list);
    return ids.empty() ? std::nullopt : std::optional(std::move(ids));
}

} // namespace tessarin::OSDGridWindowList
