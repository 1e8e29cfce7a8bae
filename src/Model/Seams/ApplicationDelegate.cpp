#include "Model/Seams/ApplicationDelegate.h"

#include "Platform/Host.h"

#include <memory>

namespace tessarin::ApplicationDelegate {

namespace {

// Kept per host, so no test inherits another test's delegate.
struct Slot {
    HotkeyReregistering* delegate = nullptr;
};

Slot* currentSlot() {
    Host* host = Host::installed();
    if (host == nullptr) {
        return nullptr;
    }
    return &host->sharedInstance<Slot>([](Host&) { return std::make_shared<Slot>(); });
}

} // namespace

void install(HotkeyReregistering* delegate) {
    if (Slot* slot = currentSlot()) {
        slot->delegate = delegate;
    }
}

HotkeyReregistering* current() {
    const Slot* slot = currentSlot();
    return slot != nullptr ? slot->delegate : nullptr;
}

} // namespace tessarin::ApplicationDelegate
