#include "Core/Fakes/DelegateWiredPresentation.h"
#include "Platform/Preferences/PropertyValue.h"
#include "Platform/Preferences/UserDefaults.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using fakes::PresentationWorld;
using Key = OSDGridKeyboardSelectionDirection;
using Strings = std::vector<std::string>;

TEST(AppDelegateOSDPicker, opensOnThePointersDisplayMovesWithKeysAndSwitchesOnSelect) {
    PresentationWorld w;
    w.d().toggleOSDSpacePicker(nullptr);
    ASSERT_TRUE(w.d().gridOSDPreviewSession);
    EXPECT_EQ(w.d().gridOSDPreviewSession->placementDisplayIdentifier, "UUID-A");
    EXPECT_EQ(w.d().gridOSDPreviewSession->settingsDisplayIdentifier, "UUID-A");
    EXPECT_EQ(w.window->calls, Strings{"show UUID-A"});

    auto picker = w.context("UUID-A");
    EXPECT_TRUE(picker.allowsKeyboardSelection);
    EXPECT_TRUE(picker.onKeyboardMove(Key::right));
    EXPECT_EQ(w.window->currentGridModel("UUID-A")->activeIndex(), 1);
    EXPECT_EQ(w.window->calls.back(), "refresh UUID-A replace");
    w.context("UUID-A").onSelect(1);
    w.world.settle();
    EXPECT_EQ(w.world.current(), 102u);
    EXPECT_FALSE(w.d().gridOSDPreviewSession);
    const Strings last(w.window->calls.end() - 2, w.window->calls.end());
    EXPECT_EQ(last, (Strings{"suspend", "hide 0.2"})) << "the post hid the grid at once";
    EXPECT_EQ(w.world.beeps(), 0);
}

TEST(AppDelegateOSDPicker, currentCellEscapeAndToggleCloseWithoutSwitching) {
    const std::function<void(PresentationWorld&)> closers[] = {
        [](PresentationWorld& w) { w.context("UUID-A").onSelect(0); },
        [](PresentationWorld& w) { w.context("UUID-A").onCancel(); },
        [](PresentationWorld& w) { w.d().toggleOSDSpacePicker(nullptr); },
    };
    for (const auto& close : closers) {
        PresentationWorld w;
        w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
        close(w);
        w.world.settle();
        EXPECT_EQ(w.window->calls.back(), "hide 0.2");
        EXPECT_FALSE(w.d().gridOSDPreviewSession);
        EXPECT_FALSE(w.d().currentGridOSDDisplayIdentifier);
        EXPECT_EQ(w.world.gestures(), 0u);
    }
}

TEST(AppDelegateOSDPicker, onAllScreensEachGridShowsItsSpacesAndAClickSwitchesItsDisplay) {
    struct Case {
        const char* name;
        bool shared;
        std::optional<std::string> settingsDisplay;
        std::string list;
        SpaceID expected;
    };
    for (const Case& c : {Case{"separate", false, "UUID-A", "UUID-B", 203},
                          Case{"shared", true, std::nullopt, "Main", 3}}) {
        SCOPED_TRACE(c.name);
        PresentationWorld w(fakes::switchingScenario(101, c.shared));
        w.world.grid().globalShowOSDSpacePickerOnAllScreens = true;
        w.d().toggleOSDSpacePicker(nullptr);
        EXPECT_EQ(w.window->calls, (Strings{"show UUID-A", "additional UUID-B"}));
        ASSERT_TRUE(w.d().gridOSDPreviewSession);
        EXPECT_EQ(w.d().gridOSDPreviewSession->settingsDisplayIdentifier, c.settingsDisplay);
        auto other = w.context("UUID-B");
        EXPECT_FALSE(other.allowsKeyboardSelection);
        EXPECT_FALSE(other.onKeyboardMove(Key::right));
        other.onSelect(2);
        w.world.settle();
        EXPECT_EQ(w.world.current(c.list), c.expected);
        EXPECT_FALSE(w.d().gridOSDPreviewSession);
    }
}

TEST(AppDelegateOSDPicker, refusalsShowNothingAndOnlyAccessSparesTheBeep) {
    struct Case {
        const char* name;
        std::function<void(PresentationWorld&)> arrange;
        int beeps;
    };
    const Case cases[] = {
        {"grid mode off", [](auto& w) { w.world.grid().isEnabled.set(false); }, 1},
        {"pointer off every display",
         [](auto& w) {
             w.world.host.displays().setMouseLocation({-5000, -5000});
         },
         1},
        {"not trusted", [](auto& w) { w.world.host.system().setProcessTrusted(false); }, 0},
    };
    for (const Case& c : cases) {
        for (const bool allScreens : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (allScreens ? " all screens" : " cursor"));
            PresentationWorld w;
            c.arrange(w);
            allScreens ? w.d().showOSDSpacePickerOnAllScreens(nullptr)
                       : w.d().showOSDSpacePickerOnCursorDisplay(nullptr);
            EXPECT_TRUE(w.window->calls.empty());
            EXPECT_EQ(w.world.beeps(), c.beeps);
        }
    }
}

TEST(AppDelegateOSDPicker, showsWhereTheOSDIsSwitchedOffAndMarksItsSteps) {
    PresentationWorld w;
    w.world.host.defaults().set("showOSD", PropertyValue(false));
    ASSERT_FALSE(w.d().presentationStore.snapshot().osd.isEnabled);
    const auto trace = w.world.seams.metrics->startTrace("hotkey", 0);
    w.d().showOSDSpacePickerOnCursorDisplay(trace);
    EXPECT_TRUE(w.window->isGridVisible("UUID-A"));
    EXPECT_EQ(w.world.seams.metrics->steps(),
              (Strings{"picker.started", "picker.resolved", "preview.session.present.started",
                       "preview.session.interaction.built", "osd.presentation.built",
                       "visible.preview.refresh.deferred", "osd.window.show.returned"}));
    EXPECT_EQ(w.world.seams.metrics->fieldsOf("picker.resolved").at("spaceCount"), "8");
}

TEST(AppDelegateOSDPicker, listsThePrimaryDisplayFirstThenEveryScreenOnce) {
    PresentationWorld w;
    using List = std::vector<std::optional<std::string>>;
    EXPECT_EQ(w.d().osdPickerDisplayIdentifiers("UUID-B"), (List{"UUID-B", "UUID-A"}));
    EXPECT_EQ(w.d().osdPickerDisplayIdentifiers(std::nullopt),
              (List{std::nullopt, "UUID-A", "UUID-B"}));
}

} // namespace
} // namespace tessarin
