#include "UI/Preferences/Controls/ShortcutSettingControl.h"

#include "Platform/Symbols/SystemSymbolImages.h"
#include "UI/Preferences/Controls/RecorderWorld.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Controls/SymbolImageButton.h"

#include <QTest>
#include <memory>

namespace tessarin {
namespace {

using namespace testing;

class ShortcutSettingControlTest : public RecorderWorldTest {
protected:
    std::unique_ptr<ShortcutSettingControl> make(bool enabled, bool available) {
        return std::make_unique<ShortcutSettingControl>(
            HotkeyIdentifier::space3, HotkeyCombination::defaultRight(), enabled, available,
            [this](const HotkeyCombination& c) { recorded.push_back(c); }, [this] { ++clears; },
            [this] { ++resets; });
    }
    std::vector<HotkeyCombination> recorded;
    int clears = 0;
    int resets = 0;
};

TEST_F(ShortcutSettingControlTest, ShowsTheSlotAndEnablesItsPartsByAvailabilityAndSlotState) {
    // clang-format off
    const std::tuple<const char*, bool, bool, bool, const char*, bool, bool, bool> rows[] = {
        // name, slot enabled, available, row enabled, shown, recorder, clear, reset
        {"enabledSlot", true, true, true, "⌘⌥⌃→", true, true, true},
        {"disabledSlot", false, true, true, "None", true, false, true},
        {"unavailable", true, false, true, "⌘⌥⌃→", false, false, false},
        {"rowDisabled", true, true, false, "⌘⌥⌃→", false, false, false}};
    // clang-format on
    for (const auto& [name, enabled, available, rowEnabled, shown, recorder, clear, reset] : rows) {
        const auto control = make(enabled, available);
        control->applySettingsEnabledState(rowEnabled);
        EXPECT_EQ(control->recorder()->displayText(), QString::fromUtf8(shown)) << name;
        EXPECT_EQ(control->recorder()->isEnabled(), recorder) << name;
        EXPECT_EQ(control->clearButton()->isEnabled(), clear) << name;
        EXPECT_EQ(control->resetButton()->isEnabled(), reset) << name;
    }
}

TEST_F(ShortcutSettingControlTest, ItsPartsAreNamedAfterTheSlotAndTheButtonsReachTheOwner) {
    const auto control = make(true, true);
    auto* clear = control->findChild<SymbolImageButton*>("keyboard.control.shortcut.space3.clear");
    auto* reset = control->findChild<SymbolImageButton*>("keyboard.control.shortcut.space3.reset");
    ASSERT_NE(clear, nullptr);
    ASSERT_NE(reset, nullptr);
    EXPECT_NE(
        control->findChild<ShortcutRecorderControl*>("keyboard.control.shortcut.space3.recorder"),
        nullptr);
    EXPECT_TRUE(clear->showsSymbolImage());
    QTest::mouseClick(clear, Qt::LeftButton);
    QTest::mouseClick(reset, Qt::LeftButton);
    QTest::mouseClick(reset, Qt::LeftButton);
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(resets, 2);
}

TEST_F(ShortcutSettingControlTest, AMissingSymbolShowsItsFallbackText) {
    world.host.symbols().withdraw("xmark");
    const auto control = make(true, true);
    EXPECT_FALSE(control->clearButton()->showsSymbolImage());
    EXPECT_EQ(control->clearButton()->text(), "✕");
    EXPECT_TRUE(control->resetButton()->showsSymbolImage());
}

TEST_F(ShortcutSettingControlTest, ARecordingThroughTheSlotReachesTheOwner) {
    const auto control = make(false, true);
    QTest::mouseClick(control->recorder(), Qt::LeftButton);
    hands().pressKey(kKeyK, kControlOption | EventFlags::maskShift);
    settle();
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded.front().displayString(), "⌥⌃⇧K");
    EXPECT_EQ(control->recorder()->displayText(), "None"); // the owner shows what it stores
}

} // namespace
} // namespace tessarin
