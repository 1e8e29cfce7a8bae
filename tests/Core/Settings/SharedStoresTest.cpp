#include "Core/Settings/GridModeStore.h"
#include "Core/SpaceModel/DirectSlotMetadataStore.h"
#include "Core/SpaceModel/DisplaySpaceOrderStore.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// The app's shared stores belong to the host they were made for: a second host (the next test,
// or a restart within one process) gets stores over its own defaults, never the first one's.
TEST(SharedStores, EachHostHasItsOwnStoresOverItsOwnDefaults) {
    VirtualMainQueue queue;
    ScopedMainQueue queueScope(queue);

    GridModeStore* first = nullptr;
    {
        Host host(Scenario::defaultScenario(), queue);
        ScopedCurrentHost scope(host);
        first = &GridModeStore::shared();
        EXPECT_EQ(first, &GridModeStore::shared());
        first->setColumnCount(GridColumnCount::four, DisplaySettingsScope::global());
        EXPECT_EQ(GridModeStore::shared().columnCount(), GridColumnCount::four);
        DisplaySpaceOrderStore::shared();
    }
    queue.runUntilIdle();

    Host host(Scenario::defaultScenario(), queue);
    ScopedCurrentHost scope(host);
    EXPECT_NE(GridModeStore::shared().columnCount(), GridColumnCount::four);
    EXPECT_FALSE(DirectSlotMetadataStore::shared()
                     .metadata("37D8832A-2D66-02CA-B9F7-8F30A301B230", 1)
                     .name.has_value());
    queue.runUntilIdle();
}

} // namespace
} // namespace tessarin
