// The app's wiring of the store, apart from the store itself so that code using its own store
// does not pull in the host and the other shared stores.
#include "Core/DirectSlotMetadataStore.h"
#include "Core/DisplaySpaceOrderStore.h"
#include "Platform/Host.h"

namespace tessarin {

DisplaySpaceOrderStore& DisplaySpaceOrderStore::shared() {
    // Never destroyed: it must not outlive the host's defaults at exit.
    static DisplaySpaceOrderStore* const store = new DisplaySpaceOrderStore(
        Host::current().defaults(), [](const std::string& displayIdentifier) {
            return DirectSlotMetadataStore::shared().highestNamedSlotIndex(displayIdentifier);
        });
    return *store;
}

} // namespace tessarin
