#include "Hotkeys/MissionControlShortcutOverrideEventTap.h"

#include "Hotkeys/HotkeyCombination.h"
#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/Input/EventTap.h"
#include "Support/MainQueue.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace tessarin {

namespace {

constexpr EventMask kKeyEvents = eventMaskBit(EventType::keyDown) | eventMaskBit(EventType::keyUp);

bool isDisabledNotice(uint32_t type) {
    return type == EventType::tapDisabledByTimeout || type == EventType::tapDisabledByUserInput;
}

HotkeyEventSignature signatureOf(const HotkeyCombination& combination) {
    return {combination.keyCode, combination.modifiers};
}

} // namespace

MissionControlShortcutOverrideEventTap::MissionControlShortcutOverrideEventTap(
    EventSystemProvider eventSystem)
    : eventSystem_(std::move(eventSystem)) {}

MissionControlShortcutOverrideEventTap::~MissionControlShortcutOverrideEventTap() {
    stop();
}

MissionControlShortcutOverrideEventTap& MissionControlShortcutOverrideEventTap::shared() {
    return Host::current().sharedInstance<MissionControlShortcutOverrideEventTap>([](Host& host) {
        return std::make_shared<MissionControlShortcutOverrideEventTap>(
            [&host]() -> EventSystem& { return host.events(); });
    });
}

void MissionControlShortcutOverrideEventTap::update(
    std::vector<HotkeyOverrideRegistration> overrides) {
    overrides_.clear();
    for (auto& registration : overrides) {
        auto identity = registration.identity;
        overrides_.insert_or_assign(std::move(identity), std::move(registration));
    }
    if (overrides_.empty()) {
        stop();
        return;
    }
    forgetUnregisteredPresses();
    if (!eventTap_ && !start()) {
        std::printf("Failed to install Mission Control shortcut override event tap\n");
        std::fflush(stdout);
    }
}

void MissionControlShortcutOverrideEventTap::stop() {
    if (eventTap_) {
        eventTap_->setEnabled(false);
        eventTap_->invalidate();
        eventTap_.reset();
    }
    pressedSignatures_.clear();
    overrides_.clear();
}

bool MissionControlShortcutOverrideEventTap::isRunning() const {
    return eventTap_ && eventTap_->isEnabled();
}

bool MissionControlShortcutOverrideEventTap::start() {
    eventTap_ = eventSystem_().createTap(
        kKeyEvents, [this](uint32_t type, const Event& event) { return handleEvent(type, event); });
    return eventTap_ != nullptr;
}

const HotkeyOverrideRegistration*
MissionControlShortcutOverrideEventTap::override(const HotkeyEventSignature& signature) const {
    for (const auto& [identity, registration] : overrides_) {
        if (signatureOf(registration.combination) == signature) {
            return &registration;
        }
    }
    return nullptr;
}

std::optional<Event> MissionControlShortcutOverrideEventTap::handleEvent(uint32_t type,
                                                                         const Event& event) {
    if (isDisabledNotice(type)) {
        if (eventTap_) {
            // Key ups went by unseen while the tap was off; a key still marked as held would
            // swallow its next press without firing.
            pressedSignatures_.clear();
            eventTap_->setEnabled(true);
        }
        return event;
    }
    if (!event.isKeyEvent()) {
        return event;
    }
    const HotkeyEventSignature signature{event.keyCode(),
                                         HotkeyCombination::carbonMask(event.flags)};
    if (type == EventType::keyUp) {
        releaseKey(signature);
    }
    const HotkeyOverrideRegistration* matched = override(signature);
    if (matched == nullptr) {
        return event;
    }
    if (type == EventType::keyDown && !event.isAutorepeat()) {
        handleKeyDown(signature, matched->handler);
    }
    return std::nullopt;
}

void MissionControlShortcutOverrideEventTap::handleKeyDown(const HotkeyEventSignature& signature,
                                                           const HotkeyHandler& handler) {
    if (!pressedSignatures_.insert(signature).second) {
        return;
    }
    MainQueue& queue = eventSystem_().queue();
    const HotkeyTriggerContext context{HotkeyTriggerSource::missionControlOverrideEventTap,
                                       queue.absoluteTime()};
    queue.async([handler, context] {
        if (handler) {
            handler(context);
        }
    });
}

void MissionControlShortcutOverrideEventTap::releaseKey(const HotkeyEventSignature& signature) {
    // The key's release ends the press even when its modifiers were let go first and the key up
    // no longer matches the combination.
    std::erase_if(pressedSignatures_, [&](const HotkeyEventSignature& pressed) {
        return pressed.keyCode == signature.keyCode;
    });
}

void MissionControlShortcutOverrideEventTap::forgetUnregisteredPresses() {
    std::erase_if(pressedSignatures_, [this](const HotkeyEventSignature& pressed) {
        return override(pressed) == nullptr;
    });
}

} // namespace tessarin
