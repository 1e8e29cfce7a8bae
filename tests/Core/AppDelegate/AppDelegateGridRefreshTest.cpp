#include "Core/Fakes/PresentationWorld.h"
#include "Platform/Preferences/PropertyValue.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/SystemCalls.h"
#include "Platform/SystemServices.h"
#include "Platform/WindowServer.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::PresentationWorld;
using Scope = VisibleGridOSDOverlayRefreshScope;

int64_t cells(PresentationWorld& w, const std::string& display) {
    const auto model = w.window->currentGridModel(display);
    return model ? model->spaceCount() : -1;
}

TEST(AppDelegateGridRefresh, spacesChangedUnderAnOpenPickerRedrawOnlyThroughTheVisibleRefresh) {
    PresentationWorld w;
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    ASSERT_TRUE(w.world.host.windowServer().addSpace("UUID-A"));
    w.d().refreshVisibleGridOSDIfNeeded(OSDGridSpaceContext{"UUID-A", 109, 8, 9});
    EXPECT_EQ(cells(w, "UUID-A"), 8);
    w.d().refreshVisibleGridOSDIfVisible("UUID-A");
    EXPECT_EQ(cells(w, "UUID-A"), 9);
    EXPECT_EQ(w.d().gridOSDPreviewSession->slotCount(), 9);
    EXPECT_TRUE(w.context("UUID-A").allowsKeyboardSelection);
}

TEST(AppDelegateGridRefresh, aPreviewUnderSharedSpacesRedrawsInTheStoredOrder) {
    PresentationWorld w(fakes::switchingScenario(101, true));
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    ASSERT_TRUE(w.d().spaceOrderStore.moveVisualOrder(0, 3, OSDGridRearrangementBehavior::swap,
                                                      "Main", {1, 2, 3, 4}, 1, false, 4, 4));
    w.d().refreshVisibleGridOSDIfVisible("UUID-A");
    EXPECT_EQ(w.d().gridOSDPreviewSession->displaySnapshot.visualOrderedSpaceIDs,
              (std::vector<SpaceID>{4, 2, 3, 1}));
    EXPECT_EQ(w.shownActive("UUID-A"), 3);
}

// A finished capture of the shared Spaces redraws the grid shown on any display; one of another
// display redraws nothing.
TEST(AppDelegateGridRefresh, aCaptureOfTheSharedSpacesRedrawsTheGridOnAnyDisplay) {
    for (const auto& [display, active] : {std::pair{"Main", 3}, {"UUID-B", 0}}) {
        PresentationWorld w(fakes::switchingScenario(101, true));
        w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
        ASSERT_TRUE(w.d().spaceOrderStore.moveVisualOrder(0, 3, OSDGridRearrangementBehavior::swap,
                                                          "Main", {1, 2, 3, 4}, 1, false, 4, 4));
        w.d().refreshVisibleGridOSDIfNeeded(OSDGridSpaceContext{display, 1, 0, 4});
        EXPECT_EQ(w.shownActive("UUID-A"), active) << display;
    }
}

// Stored captures come back one Space at a time; the grid shown is redrawn on the next turn for
// all of them at once, reading the layout no more than for one.
TEST(AppDelegateGridRefresh, capturesStoredTogetherRedrawTheGridOnceOnTheNextTurn) {
    const auto layoutReads = [](const std::vector<OSDGridSpaceContext>& captures) {
        PresentationWorld w;
        w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
        EXPECT_TRUE(w.d().spaceOrderStore.moveVisualOrder(
            0, 3, OSDGridRearrangementBehavior::swap, "UUID-A",
            {101, 102, 103, 104, 105, 106, 107, 108}, 101, false, 8, 8));
        int reads = 0;
        SystemCalls& calls = w.world.host.calls();
        calls.copyManagedDisplaySpaces = [&reads, read = calls.copyManagedDisplaySpaces](int cid) {
            ++reads;
            return read(cid);
        };
        for (const OSDGridSpaceContext& capture : captures) {
            w.d().refreshVisibleGridAfterCapture(capture);
        }
        EXPECT_EQ(w.shownActive("UUID-A"), 0) << "not before the next turn";
        EXPECT_EQ(reads, 0);
        w.world.queue.runUntilIdle();
        EXPECT_EQ(w.shownActive("UUID-A"), 3);
        return reads;
    };
    const OSDGridSpaceContext onA{"UUID-A", 101, 0, 8};
    // The other display's are checked against the grid shown on the pointer's display.
    EXPECT_EQ(
        layoutReads({onA, {"UUID-A", 102, 1, 8}, {"UUID-B", 201, 0, 3}, {"UUID-B", 202, 1, 3}}),
        layoutReads({onA}));
}

// Of the captures a display stores before its redraw, the latest stands for all: one taken
// earlier, while the display had another number of Spaces, does not call the redraw off.
TEST(AppDelegateGridRefresh, theLatestCaptureOfADisplayDecidesItsRedraw) {
    PresentationWorld w;
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    EXPECT_TRUE(w.d().spaceOrderStore.moveVisualOrder(
        0, 3, OSDGridRearrangementBehavior::swap, "UUID-A",
        {101, 102, 103, 104, 105, 106, 107, 108}, 101, false, 8, 8));
    w.d().refreshVisibleGridAfterCapture({"UUID-A", 101, 0, 7});
    w.d().refreshVisibleGridAfterCapture({"UUID-A", 102, 1, 8});
    w.world.queue.runUntilIdle();
    EXPECT_EQ(w.shownActive("UUID-A"), 3);
}

TEST(AppDelegateGridRefresh, aScopeRefreshesItsDisplaysGridOrEveryGridOfTheSharedSpaces) {
    for (const bool shared : {false, true}) {
        PresentationWorld w(fakes::switchingScenario(101, shared));
        w.d().showOSDSpacePickerOnAllScreens(nullptr);
        for (const char* list : {"UUID-A", "UUID-B", "Main"}) {
            w.world.host.windowServer().addSpace(list);
        }
        w.d().refreshVisibleGridOSDOverlays(Scope::display(shared ? "Main" : "UUID-B"));
        EXPECT_EQ(cells(w, "UUID-A"), shared ? 5 : 8);
        EXPECT_EQ(cells(w, "UUID-B"), 5);
    }
}

TEST(AppDelegateGridRefresh, aRemovedDesktopsCellTurnsIntoAPlaceholderInPlace) {
    PresentationWorld w;
    w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
    EXPECT_FALSE(w.d().refreshVisibleGridOSDWithTransientPlaceholder(8, "UUID-A", std::nullopt));
    EXPECT_TRUE(w.d().refreshVisibleGridOSDWithTransientPlaceholder(2, std::nullopt, std::nullopt));
    EXPECT_TRUE(w.window->currentGridModel("UUID-A")->isPlaceholder(2));
    EXPECT_TRUE(w.context("UUID-A").placeholderIndices.count(2));
}

TEST(AppDelegateGridRefresh, cellsUseScreenshotsOnlyWhenEverythingAllowsThem) {
    const auto osdOff = [](PresentationWorld& w) {
        w.world.host.defaults().set("showOSD", PropertyValue(false));
    };
    const std::tuple<const char*, std::function<void(PresentationWorld&)>, std::optional<bool>,
                     bool>
        cases[] = {
            {"allowed", [](auto&) {}, std::nullopt, true},
            {"OSD off", osdOff, std::nullopt, false},
            {"OSD off, a grid visible",
             [&](auto& w) {
                 osdOff(w);
                 w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
             },
             std::nullopt, true},
            {"macOS 13",
             [](auto& w) {
                 w.world.host.system().setOperatingSystemVersion({13, 6, 0});
             },
             true, false},
            {"no permission", [](auto& w) { w.world.host.system().setScreenCaptureAccess(false); },
             true, false},
        };
    for (const auto& [name, arrange, osdEnabled, expected] : cases) {
        SCOPED_TRACE(name);
        PresentationWorld w;
        arrange(w);
        EXPECT_EQ(w.d().shouldCaptureGridSpaceScreenshots("UUID-A", true, osdEnabled), expected);
    }
}

} // namespace
} // namespace tessarin
