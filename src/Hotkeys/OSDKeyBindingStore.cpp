#include "Hotkeys/OSDKeyBindingStore.h"

#include "Hotkeys/HotkeyCombination.h"
#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"

#include <utility>

namespace tessarin {

namespace {

using Bindings = std::map<OSDKeyBindingAction, OSDKeyBinding>;
using Signature = std::pair<uint16_t, uint32_t>;

Signature signature(const OSDKeyBinding& binding) {
    return {binding.normalized().keyCode, binding.modifiers};
}

// Puts every action whose key another action also holds back on its default; true when
// anything moved.
bool resetClashingBindings(Bindings& bindings) {
    std::map<Signature, int> holders;
    for (const auto& [action, binding] : bindings) {
        ++holders[signature(binding)];
    }
    bool changed = false;
    for (auto& [action, binding] : bindings) {
        const OSDKeyBinding fallback = OSDKeyBinding::defaultBinding(action);
        if (holders[signature(binding)] > 1 && binding != fallback) {
            binding = fallback;
            changed = true;
        }
    }
    return changed;
}

} // namespace

OSDKeyBindingStore::OSDKeyBindingStore(UserDefaults& defaults)
    : defaults_(defaults), bindings_(loadBindings()) {}

OSDKeyBindingStore& OSDKeyBindingStore::shared() {
    return Host::current().sharedInstance<OSDKeyBindingStore>(
        [](Host& host) { return std::make_shared<OSDKeyBindingStore>(host.defaults()); });
}

std::string OSDKeyBindingStore::defaultsKey(OSDKeyBindingAction action) {
    return "osdKeyBinding." + std::string(rawValue(action));
}

std::optional<OSDKeyBinding> OSDKeyBindingStore::storedBinding(OSDKeyBindingAction action) const {
    const auto data = defaults_.dataValue(defaultsKey(action));
    const auto decoded = data ? OSDKeyBinding::decode(*data) : std::nullopt;
    if (!decoded) {
        return std::nullopt;
    }
    const OSDKeyBinding binding = decoded->normalized();
    if (binding.displayKey.empty() || binding.modifiers != 0) {
        return std::nullopt;
    }
    return binding;
}

Bindings OSDKeyBindingStore::loadBindings() const {
    Bindings loaded;
    for (OSDKeyBindingAction action : kAllOSDKeyBindingActions) {
        loaded[action] = storedBinding(action).value_or(OSDKeyBinding::defaultBinding(action));
    }
    // A fallback can clash in turn (a stored key taken from the default of another action), so
    // the check repeats; the defaults never clash, so it ends there at worst.
    while (resetClashingBindings(loaded)) {
    }
    return loaded;
}

OSDKeyBinding OSDKeyBindingStore::binding(OSDKeyBindingAction action) const {
    const auto found = bindings_.find(action);
    return found != bindings_.end() ? found->second : OSDKeyBinding::defaultBinding(action);
}

std::optional<OSDKeyBindingAction> OSDKeyBindingStore::action(const Event& event) const {
    const uint32_t modifiers = HotkeyCombination::carbonMask(event.flags);
    for (OSDKeyBindingAction candidate : kAllOSDKeyBindingActions) {
        const OSDKeyBinding bound = binding(candidate);
        if (bound.hasSameKey(event.keyCode()) && bound.modifiers == modifiers) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::optional<OSDKeyBindingStoreError> OSDKeyBindingStore::setBinding(const OSDKeyBinding& binding,
                                                                      OSDKeyBindingAction action) {
    const OSDKeyBinding normalized = binding.normalized();
    if (normalized.displayKey.empty()) {
        return OSDKeyBindingStoreError::unusableKey();
    }
    if (normalized.modifiers != 0) {
        return OSDKeyBindingStoreError::modifiersNotAllowed();
    }
    for (OSDKeyBindingAction other : kAllOSDKeyBindingActions) {
        const OSDKeyBinding held = this->binding(other);
        if (other != action && held.hasSameKey(normalized.keyCode) &&
            held.modifiers == normalized.modifiers) {
            return OSDKeyBindingStoreError::alreadyAssigned(other);
        }
    }
    if (this->binding(action) == normalized) {
        return std::nullopt;
    }
    bindings_[action] = normalized;
    defaults_.set(defaultsKey(action), normalized.encodedData());
    revision.set(revision.value() + 1);
    return std::nullopt;
}

void OSDKeyBindingStore::resetToDefaults() {
    bool changed = false;
    for (OSDKeyBindingAction action : kAllOSDKeyBindingActions) {
        const OSDKeyBinding fallback = OSDKeyBinding::defaultBinding(action);
        if (binding(action) != fallback) {
            bindings_[action] = fallback;
            changed = true;
        }
        defaults_.remove(defaultsKey(action));
    }
    if (changed) {
        revision.set(revision.value() + 1);
    }
}

} // namespace tessarin
