#include "Core/Fakes/EngineWorld.h"
#include "Support/Environment.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// Registers the hotkeys the way the hotkey binding does: nothing while topology-sensitive work
// is held back, everything otherwise.
class HoldingBackRegistrar : public HotkeyReregistering {
public:
    AppDelegate* delegate = nullptr;
    int requests = 0;
    int registrations = 0;
    void reregisterAllHotkeys() override {
        ++requests;
        if (!delegate->shouldSuppressTopologySensitiveWork("hotkey-registration")) {
            ++registrations;
        }
    }
};

class AppDelegateTopologyTest : public ::testing::Test {
protected:
    AppDelegateTopologyTest() { registrar->delegate = world.delegate.get(); }

    // The external display goes away for a moment: the window server lists only one set of
    // Spaces while two screens are still connected.
    void collapseSpaceLists() { world.host.windowServer().configureSpaces(true, {saved.front()}); }
    void restoreSpaceLists() { world.host.windowServer().configureSpaces(true, saved); }
    bool suppressed() {
        return world.d().shouldSuppressTopologySensitiveWork("hotkey-registration");
    }

    ScopedEnvironmentOverride debug{"TESSARIN_SPACE_DEBUG", "1"};
    std::shared_ptr<HoldingBackRegistrar> registrar = std::make_shared<HoldingBackRegistrar>();
    fakes::World world{Scenario::defaultScenario(),
                       [this](AppDelegateDependencies& d) { d.hotkeys = registrar; }};
    std::vector<SpaceList> saved = world.host.windowServer().spaceLists();
};

TEST_F(AppDelegateTopologyTest, HotkeysWaitWhileTheListsAreCollapsedAndComeBackAfterFiveSeconds) {
    world.d().beginSpaceTopologyStabilization("screen-parameters");
    collapseSpaceLists();
    // The screen change re-registers at once: held back.
    registrar->reregisterAllHotkeys();
    EXPECT_EQ(registrar->registrations, 0);

    world.queue.advance(4.9);
    EXPECT_EQ(registrar->requests, 1) << "no completion before the window is over";
    EXPECT_TRUE(suppressed());

    restoreSpaceLists();
    world.queue.advance(0.1);
    EXPECT_EQ(registrar->requests, 2);
    EXPECT_EQ(registrar->registrations, 1) << "the completion registers everything again";
    EXPECT_FALSE(suppressed());
    EXPECT_EQ(world.seams.shell->calls,
              (std::vector<std::string>{"refreshSpaceInfo", "refreshPersistentGridOverlay"}));
    EXPECT_FALSE(world.d().pendingSpaceTopologyStabilizationReason.has_value());
}

TEST_F(AppDelegateTopologyTest, ListsThatStayWholeHoldNothingBack) {
    world.d().beginSpaceTopologyStabilization("wake");
    registrar->reregisterAllHotkeys();
    EXPECT_EQ(registrar->registrations, 1);
    // An unreadable list counts as a collapse while it lasts.
    world.host.windowServer().setSpacesReadable(false);
    EXPECT_TRUE(suppressed());
    world.host.windowServer().setSpacesReadable(true);
    world.queue.advance(5.0);
    EXPECT_EQ(registrar->registrations, 2);
}

TEST_F(AppDelegateTopologyTest, ANewChangeInsideTheWindowPushesTheCompletionBack) {
    world.d().beginSpaceTopologyStabilization("screen-parameters");
    world.queue.advance(3.0);
    world.d().beginSpaceTopologyStabilization("wake");
    world.queue.advance(2.5);
    EXPECT_EQ(registrar->requests, 0) << "the first completion was cancelled";
    world.queue.advance(2.5);
    EXPECT_EQ(registrar->requests, 1);
    EXPECT_EQ(world.logLines("SpaceDiagnostics", "space topology"),
              (std::vector<std::string>{
                  "space topology stabilization started reason=screen-parameters duration=5.0",
                  "space topology stabilization completion cancelled reason=screen-parameters",
                  "space topology stabilization started reason=wake duration=5.0",
                  "space topology stabilization ended reason=wake"}));
}

TEST_F(AppDelegateTopologyTest, AGoneDelegateCompletesNothing) {
    world.d().beginSpaceTopologyStabilization("wake");
    registrar->delegate = nullptr;
    world.delegate.reset();
    world.queue.advance(6.0);
    EXPECT_EQ(registrar->requests, 0);
}

} // namespace
} // namespace tessarin
