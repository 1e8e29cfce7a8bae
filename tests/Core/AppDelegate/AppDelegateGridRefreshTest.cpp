#include "Core/Fakes/DelegateWiredPresentation.h"
#include "Platform/Preferences/PropertyValue.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::PresentationWorld;
using Scope = VisibleGridOSDOverlayRefreshScope;
using Strings = std::vector<std::string>;

TEST(AppDelegateGridRefresh, aChangedSpaceCountIsRedrawnOnlyByTheVisibleRefresh) {
    PresentationWorld w;
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    ASSERT_TRUE(w.world.host.windowServer().addSpace("UUID-A"));
    w.window->calls.clear();
    w.d().refreshVisibleGridOSDIfNeeded(OSDGridSpaceContext{"UUID-A", 109, 8, 9});
    EXPECT_TRUE(w.window->calls.empty());
    w.d().refreshVisibleGridOSDIfVisible("UUID-A");
    EXPECT_EQ(w.window->calls, Strings{"refresh UUID-A replace"});
    EXPECT_EQ(w.window->currentGridModel("UUID-A")->spaceCount(), 9);
    EXPECT_EQ(w.d().gridOSDPreviewSession->slotCount(), 9);
    // An unchanged layout keeps the grid's mouse state.
    w.d().refreshVisibleGridOSDIfNeeded(OSDGridSpaceContext{"UUID-A", 101, 0, 9});
    EXPECT_EQ(w.window->calls.back(), "refresh UUID-A replacePreserving");
}

TEST(AppDelegateGridRefresh, aPreviewUnderSharedSpacesRedrawsInTheStoredOrder) {
    PresentationWorld w(fakes::switchingScenario(101, true));
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    ASSERT_TRUE(w.d().spaceOrderStore.moveVisualOrder(0, 3, OSDGridRearrangementBehavior::swap,
                                                      "Main", {1, 2, 3, 4}, 1, false, 4, 4));
    w.d().refreshVisibleGridOSDIfVisible("UUID-A");
    ASSERT_TRUE(w.d().gridOSDPreviewSession);
    EXPECT_EQ(w.d().gridOSDPreviewSession->displaySnapshot.visualOrderedSpaceIDs,
              (std::vector<SpaceID>{4, 2, 3, 1}));
    EXPECT_EQ(w.window->currentGridModel("UUID-A")->activeIndex(), 3);
}

TEST(AppDelegateGridRefresh, aScopeRefreshesItsDisplaysGridOrEveryGridOfTheSharedSpaces) {
    for (const bool shared : {false, true}) {
        PresentationWorld w(fakes::switchingScenario(101, shared));
        w.world.grid().globalShowOSDSpacePickerOnAllScreens = true;
        w.d().showOSDSpacePickerOnAllScreens(nullptr);
        const auto refreshed = [&](const Scope& scope) {
            w.window->calls.clear();
            w.d().refreshVisibleGridOSDOverlays(scope);
            return w.window->calls.size();
        };
        EXPECT_EQ(refreshed(Scope::display("UUID-B")), 1u);
        EXPECT_EQ(refreshed(Scope::display(shared ? "Main" : "UUID-X")), shared ? 2u : 0u);
        EXPECT_EQ(refreshed(Scope::allVisibleGrids()), 2u);
    }
}

TEST(AppDelegateGridRefresh, aRemovedDesktopsCellTurnsIntoAPlaceholderInPlace) {
    PresentationWorld w;
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    w.window->calls.clear();
    EXPECT_FALSE(w.d().refreshVisibleGridOSDWithTransientPlaceholder(8, "UUID-A", std::nullopt));
    EXPECT_TRUE(w.window->calls.empty());
    EXPECT_TRUE(w.d().refreshVisibleGridOSDWithTransientPlaceholder(2, std::nullopt, std::nullopt));
    EXPECT_TRUE(w.window->currentGridModel("UUID-A")->isPlaceholder(2));
    EXPECT_TRUE(w.context("UUID-A").placeholderIndices.count(2));
}

TEST(AppDelegateGridRefresh, cellsUseScreenshotsOnlyWhenEverythingAllowsThem) {
    struct Case {
        const char* name;
        std::function<void(PresentationWorld&)> arrange;
        std::optional<bool> osdEnabled;
        bool expected;
    };
    const Case cases[] = {
        {"allowed", [](auto&) {}, std::nullopt, true},
        {"OSD off", [](auto& w) { w.world.host.defaults().set("showOSD", PropertyValue(false)); },
         std::nullopt, false},
        {"OSD off, told on",
         [](auto& w) { w.world.host.defaults().set("showOSD", PropertyValue(false)); }, true, true},
        {"OSD off, grid visible",
         [](auto& w) {
             w.world.host.defaults().set("showOSD", PropertyValue(false));
             w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
         },
         std::nullopt, true},
        {"grid mode off", [](auto& w) { w.world.grid().isEnabled.set(false); }, true, false},
        {"screenshots off",
         [](auto& w) {
             w.world.host.defaults().set("osdGridSpaceScreenshotsEnabled", PropertyValue(false));
         },
         true, false},
        {"macOS 13",
         [](auto& w) {
             w.world.host.system().setOperatingSystemVersion({13, 6, 0});
         },
         true, false},
        {"no permission", [](auto& w) { w.world.host.system().setScreenCaptureAccess(false); },
         true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PresentationWorld w;
        c.arrange(w);
        EXPECT_EQ(w.d().shouldCaptureGridSpaceScreenshots("UUID-A", true, c.osdEnabled),
                  c.expected);
    }
}

} // namespace
} // namespace tessarin
