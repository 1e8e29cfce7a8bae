#pragma once

#include "UI/OSD/OSDOverlayPanel.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// The windows of one kind of persistent overlay, one per display identifier. `Components`
// holds the display's window as `window` with whatever the overlay draws in it.
template <class Components> class PersistentOverlayWindows {
public:
    // The display's components, made by `make` the first time they are asked for.
    template <class Make>
    Components& componentsFor(const std::string& displayIdentifier, Make&& make) {
        auto& entry = byDisplay_[displayIdentifier];
        if (!entry) {
            entry = make();
        }
        return *entry;
    }
    const Components* find(const std::string& displayIdentifier) const {
        const auto found = byDisplay_.find(displayIdentifier);
        return found == byDisplay_.end() ? nullptr : found->second.get();
    }
    const OSDOverlayPanel* window(const std::string& displayIdentifier) const {
        const Components* components = find(displayIdentifier);
        return components ? components->window.get() : nullptr;
    }
    std::vector<std::string> displayIdentifiers() const {
        std::vector<std::string> identifiers;
        for (const auto& [identifier, components] : byDisplay_) {
            identifiers.push_back(identifier);
        }
        return identifiers;
    }

    // Orders the display's window out and forgets it.
    void remove(const std::string& displayIdentifier) {
        const auto found = byDisplay_.find(displayIdentifier);
        if (found != byDisplay_.end()) {
            found->second->window->orderOut();
            byDisplay_.erase(found);
        }
    }
    // Removes the windows of the displays a refresh did not reach.
    void removeAllBut(const std::set<std::string>& kept) {
        for (const std::string& identifier : displayIdentifiers()) {
            if (kept.count(identifier) == 0) {
                remove(identifier);
            }
        }
    }
    // Orders every window out and keeps it for the next refresh.
    void hideAll() {
        for (const auto& [identifier, components] : byDisplay_) {
            components->window->orderOut();
        }
    }

private:
    std::map<std::string, std::unique_ptr<Components>> byDisplay_;
};

// Shows an overlay window at its opacity in per cent; at 0 it is ordered out instead.
inline void orderOverlayWindow(OSDOverlayPanel& window, int opacityPercent) {
    window.setAlpha(opacityPercent / 100.0);
    if (opacityPercent == 0) {
        window.orderOut();
    } else {
        window.orderFrontRegardless();
    }
}

} // namespace tessarin
