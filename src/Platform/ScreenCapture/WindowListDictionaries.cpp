#include "Platform/ScreenCapture/WindowListDictionaries.h"

#include "Platform/WindowServer.h"

namespace tessarin {

WindowListDictionaries::WindowListDictionaries(const WindowServer& server) : server_(server) {}

PropertyDictionary WindowListDictionaries::dictionary(const WindowInfo& window) {
    PropertyDictionary entry{
        {WindowListKey::number, static_cast<int64_t>(window.number)},
        {WindowListKey::ownerPID, static_cast<int64_t>(window.ownerPID)},
        {WindowListKey::ownerName, window.ownerName},
        {WindowListKey::bounds, PropertyDictionary{{"X", window.bounds.origin.x},
                                                   {"Y", window.bounds.origin.y},
                                                   {"Width", window.bounds.size.width},
                                                   {"Height", window.bounds.size.height}}},
        {WindowListKey::layer, static_cast<int64_t>(window.layer)},
        {WindowListKey::isOnscreen, window.isOnscreen},
        {WindowListKey::alpha, window.alpha},
        {WindowListKey::sharingState, static_cast<int64_t>(window.sharingState)},
    };
    if (window.name) {
        entry[WindowListKey::name] = *window.name;
    }
    return entry;
}

std::optional<PropertyValue> WindowListDictionaries::copyWindowInfo(uint32_t options,
                                                                    WindowID relativeTo) const {
    const auto windows = server_.windowList(options, relativeTo);
    std::lock_guard lock(mutex_);
    if (!windows || shape_ == WindowListShape::missing) {
        return std::nullopt;
    }
    if (shape_ == WindowListShape::notAnArray) {
        return PropertyValue(std::string("not a list"));
    }
    PropertyArray list;
    list.reserve(windows->size() + extras_.size() + 1);
    for (const WindowInfo& window : *windows) {
        PropertyDictionary entry = dictionary(window);
        if (const auto it = overrides_.find(window.number); it != overrides_.end()) {
            for (const auto& [key, value] : it->second) {
                if (value) {
                    entry[key] = *value;
                } else {
                    entry.erase(key);
                }
            }
        }
        list.emplace_back(std::move(entry));
    }
    list.insert(list.end(), extras_.begin(), extras_.end());
    if (shape_ == WindowListShape::notAllDictionaries) {
        list.emplace_back(int64_t{7});
    }
    return PropertyValue(std::move(list));
}

void WindowListDictionaries::setShape(WindowListShape shape) {
    std::lock_guard lock(mutex_);
    shape_ = shape;
}

void WindowListDictionaries::setExtraEntries(PropertyArray entries) {
    std::lock_guard lock(mutex_);
    extras_ = std::move(entries);
}

void WindowListDictionaries::overrideKey(WindowID window, const std::string& key,
                                         std::optional<PropertyValue> value) {
    std::lock_guard lock(mutex_);
    overrides_[window][key] = std::move(value);
}

} // namespace tessarin
