#pragma once

#include "Hotkeys/HotkeyEventSignature.h"
#include "Hotkeys/HotkeyOverrideRegistration.h"
#include "Model/Seams/MissionControlShortcutOverrideControlling.h"
#include "Platform/Input/Event.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace tessarin {

class EventSystem;
class EventTap;

// Takes the combinations of some hotkeys away from the system's own Mission Control shortcuts:
// an active keyboard tap at the head of the session swallows their key downs and key ups before
// the system sees them, and calls the hotkey's handler once per press, on a later turn of the
// main queue. It runs while it holds any registration.
class MissionControlShortcutOverrideEventTap : public MissionControlShortcutOverrideControlling {
public:
    using EventSystemProvider = std::function<EventSystem&()>;

    explicit MissionControlShortcutOverrideEventTap(EventSystemProvider eventSystem);
    ~MissionControlShortcutOverrideEventTap() override;
    MissionControlShortcutOverrideEventTap(const MissionControlShortcutOverrideEventTap&) = delete;
    MissionControlShortcutOverrideEventTap&
    operator=(const MissionControlShortcutOverrideEventTap&) = delete;

    // The app's tap, on the current host's event stream.
    static MissionControlShortcutOverrideEventTap& shared();

    // Replaces the whole table. An empty one stops the tap; otherwise the tap is installed when
    // it is not, and when that fails "Failed to install Mission Control shortcut override event
    // tap" is printed and no key is taken. Keys held down that the new table no longer takes
    // are forgotten, so their next press is not mistaken for a repeat.
    void update(std::vector<HotkeyOverrideRegistration> overrides);
    // Removes the tap and forgets the table and every held key.
    void stop() override;

    bool isRunning() const;
    const std::set<HotkeyEventSignature>& pressedSignatures() const { return pressedSignatures_; }

    // One event as the tap sees it: the event to pass on, or nothing to swallow it.
    std::optional<Event> handleEvent(uint32_t type, const Event& event);

private:
    bool start();
    const HotkeyOverrideRegistration* override(const HotkeyEventSignature& signature) const;
    void handleKeyDown(const HotkeyEventSignature& signature, const HotkeyHandler& handler);
    void releaseKey(const HotkeyEventSignature& signature);
    void forgetUnregisteredPresses();

    EventSystemProvider eventSystem_;
    std::map<HotkeyRegistrationIdentity, HotkeyOverrideRegistration> overrides_;
    std::shared_ptr<EventTap> eventTap_;
    std::set<HotkeyEventSignature> pressedSignatures_;
};

} // namespace tessarin
