// The app's wiring of the store, apart from the store itself so that code using its own store
// does not pull in the host and the other shared stores.
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Model/Spaces/DisplaySpaceOrderStore.h"
#include "Platform/Host.h"

namespace tessarin {

DisplaySpaceOrderStore& DisplaySpaceOrderStore::shared() {
    return Host::current().sharedInstance<DisplaySpaceOrderStore>([](Host& host) {
        // Made first, so the host destroys it after this store.
        DirectSlotMetadataStore& metadata = DirectSlotMetadataStore::shared();
        return std::make_shared<DisplaySpaceOrderStore>(
            host.defaults(), [&metadata](const std::string& displayIdentifier) {
                return metadata.highestNamedSlotIndex(displayIdentifier);
            });
    });
}

} // namespace tessarin
