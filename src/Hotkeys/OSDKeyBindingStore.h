#pragma once

#include "Hotkeys/OSDKeyBinding.h"
#include "Hotkeys/OSDKeyBindingAction.h"
#include "Hotkeys/OSDKeyBindingStoreError.h"
#include "Platform/Input/Event.h"
#include "Support/Published.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace tessarin {

class UserDefaults;

// Which plain key drives which action of an open grid, kept under "osdKeyBinding.<action>" as
// JSON. No two actions ever share a key: stored keys that would are dropped for the defaults at
// load (without rewriting the defaults), and a new binding that would is refused.
class OSDKeyBindingStore {
public:
    explicit OSDKeyBindingStore(UserDefaults& defaults);
    OSDKeyBindingStore(const OSDKeyBindingStore&) = delete;
    OSDKeyBindingStore& operator=(const OSDKeyBindingStore&) = delete;

    // The app's store, over the current host's defaults (made on first use).
    static OSDKeyBindingStore& shared();
    static std::string defaultsKey(OSDKeyBindingAction action);

    Published<std::int64_t> revision{0};

    // All six actions.
    const std::map<OSDKeyBindingAction, OSDKeyBinding>& bindings() const { return bindings_; }
    OSDKeyBinding binding(OSDKeyBindingAction action) const;
    // The first action, in declaration order, whose key and modifiers the press matches.
    std::optional<OSDKeyBindingAction> action(const Event& event) const;

    // Nothing on success; binding the key an action already has changes nothing.
    std::optional<OSDKeyBindingStoreError> setBinding(const OSDKeyBinding& binding,
                                                      OSDKeyBindingAction action);
    // Every action back on its default, every stored key removed.
    void resetToDefaults();

private:
    std::map<OSDKeyBindingAction, OSDKeyBinding> loadBindings() const;
    std::optional<OSDKeyBinding> storedBinding(OSDKeyBindingAction action) const;

    UserDefaults& defaults_;
    std::map<OSDKeyBindingAction, OSDKeyBinding> bindings_;
};

} // namespace tessarin
