#include "Core/AppDelegate/ApplicationDelegate.h"

#include "Platform/Host.h"

#include <memory>

namespace tessarin::ApplicationDelegate {

namespace {

// Kept per host, so no test inherits another test's delegate.
struct Slot {
    AppDelegate* delegate = nullptr;
};

Slot* currentSlot() {
    Host* host = Host::installed();
    if (host == nullptr) {
        return nullptr;
    }
    return &host->sharedInstance<Slot>([](Host&) { return std::make_shared<Slot>(); });
}

} // namespace

void install(AppDelegate* delegate) {
    if (Slot* slot = currentSlot()) {
        slot->delegate = delegate;
    }
}

AppDelegate* current() {
    const Slot* slot = currentSlot();
    return slot != nullptr ? slot->delegate : nullptr;
}

} // namespace tessarin::ApplicationDelegate
