#include "Core/AppDelegate/AppDelegateEngineFixture.h"
#include "Support/Environment.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::AppDelegateEngineFixture;
using testing::kBuiltInUUID;
using testing::kExternalUUID;

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

class AppDelegateTopologyTest : public AppDelegateEngineFixture {
protected:
    void SetUp() override {
        AppDelegateDependencies dependencies = seams.dependencies();
        dependencies.hotkeys = registrar;
        dependencies.dragTracker = &PhysicalWindowDragTracker::shared();
        delegate = std::make_unique<AppDelegate>(std::move(dependencies));
        registrar->delegate = delegate.get();
    }

    // The external display goes away for a moment: the window server lists only one set of
    // Spaces while two screens are still connected.
    void collapseSpaceLists() {
        saved = windowServer().spaceLists();
        windowServer().configureSpaces(true, {saved.front()});
    }
    // It comes back.
    void restoreSpaceLists() { windowServer().configureSpaces(true, saved); }

    std::vector<std::string> diagnostics() { return logs.messages("SpaceDiagnostics"); }

    std::shared_ptr<HoldingBackRegistrar> registrar = std::make_shared<HoldingBackRegistrar>();
    std::vector<SpaceList> saved;
    ScopedEnvironmentOverride debug{"TESSARIN_SPACE_DEBUG", "1"};
};

TEST_F(AppDelegateTopologyTest, HotkeysWaitWhileTheListsAreCollapsedAndComeBackAfterFiveSeconds) {
    delegate->beginSpaceTopologyStabilization("screen-parameters");
    collapseSpaceLists();
    // The screen change re-registers at once: held back.
    registrar->reregisterAllHotkeys();
    EXPECT_EQ(registrar->registrations, 0);

    queue.advance(4.9);
    EXPECT_EQ(registrar->requests, 1) << "no completion before the window is over";
    EXPECT_TRUE(delegate->shouldSuppressTopologySensitiveWork("hotkey-registration"));

    restoreSpaceLists();
    queue.advance(0.1);
    EXPECT_EQ(registrar->requests, 2);
    EXPECT_EQ(registrar->registrations, 1) << "the completion registers everything again";
    EXPECT_FALSE(delegate->shouldSuppressTopologySensitiveWork("hotkey-registration"));
    EXPECT_EQ(seams.shell->calls,
              (std::vector<std::string>{"refreshSpaceInfo", "refreshPersistentGridOverlay"}));
    EXPECT_FALSE(delegate->pendingSpaceTopologyStabilizationReason.has_value());
}

TEST_F(AppDelegateTopologyTest, ListsThatStayWholeHoldNothingBack) {
    delegate->beginSpaceTopologyStabilization("wake");
    registrar->reregisterAllHotkeys();
    EXPECT_EQ(registrar->registrations, 1);
    queue.advance(5.0);
    EXPECT_EQ(registrar->registrations, 2);
}

TEST_F(AppDelegateTopologyTest, ACollapseThatOutlastsTheWindowIsAcceptedAtCompletion) {
    delegate->beginSpaceTopologyStabilization("screen-parameters");
    collapseSpaceLists();
    EXPECT_TRUE(delegate->shouldSuppressTopologySensitiveWork("hotkey-registration"));
    queue.advance(5.0);
    EXPECT_EQ(registrar->registrations, 1) << "one display for good: go on with what is there";
    EXPECT_FALSE(delegate->shouldSuppressTopologySensitiveWork("hotkey-registration"));
    EXPECT_EQ(delegate->spaceTopologyStabilizer.stableSpaceDisplayListCount, 1);
}

TEST_F(AppDelegateTopologyTest, ANewChangeInsideTheWindowPushesTheCompletionBack) {
    delegate->beginSpaceTopologyStabilization("screen-parameters");
    queue.advance(3.0);
    delegate->beginSpaceTopologyStabilization("wake");
    queue.advance(2.5);
    EXPECT_EQ(registrar->requests, 0) << "the first completion was cancelled";
    queue.advance(2.5);
    EXPECT_EQ(registrar->requests, 1);

    const auto lines = diagnostics();
    const std::vector<std::string> expected{
        "space topology stabilization started reason=screen-parameters duration=5.0",
        "space topology stabilization completion cancelled reason=screen-parameters",
        "space topology stabilization started reason=wake duration=5.0",
        "space topology stabilization ended reason=wake"};
    std::vector<std::string> topology;
    for (const std::string& line : lines) {
        if (line.rfind("space topology", 0) == 0) {
            topology.push_back(line);
        }
    }
    EXPECT_EQ(topology, expected);
}

TEST_F(AppDelegateTopologyTest, AnUnreadableSpaceListCountsAsACollapse) {
    delegate->beginSpaceTopologyStabilization("wake");
    windowServer().setSpacesReadable(false);
    EXPECT_TRUE(delegate->shouldSuppressTopologySensitiveWork("hotkey-registration"));
    windowServer().setSpacesReadable(true);
    EXPECT_FALSE(delegate->shouldSuppressTopologySensitiveWork("hotkey-registration"));
}

TEST_F(AppDelegateTopologyTest, AGoneDelegateCompletesNothing) {
    delegate->beginSpaceTopologyStabilization("wake");
    registrar->delegate = nullptr;
    delegate.reset();
    queue.advance(6.0);
    EXPECT_EQ(registrar->requests, 0);
}

TEST_F(AppDelegateTopologyTest, SpaceIDReplacementsRekeyTheDisplayAndEachPreviewDisplay) {
    seams.windowPreviews->previewDisplays[kBuiltInUUID] = {kBuiltInUUID, kExternalUUID};
    auto snapshot = DisplaySpaceOrderSnapshot::make(
        kBuiltInUUID, {30, 4}, {DisplaySpaceSlot::realSpace(30), DisplaySpaceSlot::realSpace(4)}, 4,
        {{3, 30}});
    delegate->applySpaceIDReplacements(snapshot);
    EXPECT_EQ(
        seams.windowPreviews->calls,
        (std::vector<std::string>{"remapSpaceDisplayCaches " + std::string(kBuiltInUUID),
                                  "previewDisplayIdentifiers " + std::string(kBuiltInUUID),
                                  "remapPreviewDisplayCaches " + std::string(kBuiltInUUID),
                                  "remapPreviewDisplayCaches " + std::string(kExternalUUID)}));
    const std::map<SpaceID, SpaceID> replacements{{3, 30}};
    EXPECT_EQ(seams.windowPreviews->spaceDisplayRemaps.at(0).second, replacements);
    EXPECT_EQ(seams.windowPreviews->previewDisplayRemaps.at(1).second, replacements);
}

} // namespace
} // namespace tessarin
