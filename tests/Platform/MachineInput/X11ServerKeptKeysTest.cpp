#include "Platform/MachineInput/X11ServerKeptKeys.h"

#include "Platform/Input/HotKeyCenter.h"

#include <gtest/gtest.h>
#include <string>

namespace tessarin {
namespace {

constexpr uint16_t kShift = 1 << 0;
constexpr uint16_t kControl = 1 << 2;
constexpr uint16_t kAlt = 1 << 3;
constexpr uint16_t kLevelThree = 1 << 7;

constexpr uint32_t kCommandOptionControl =
    CarbonModifiers::cmdKey | CarbonModifiers::optionKey | CarbonModifiers::controlKey;
constexpr uint32_t kCommandOption = CarbonModifiers::cmdKey | CarbonModifiers::optionKey;

// A key whose fifth level is reached with Control and Alt, as the usual map gives the keypad's
// plus and minus, Backspace and the function keys.
X11KeyboardKey controlAltKey(uint8_t keyCode, uint32_t plain, uint32_t fifth) {
    return {keyCode,
            kShift | kLevelThree | kControl | kAlt,
            {{kShift, 1}, {kLevelThree, 2}, {kShift | kLevelThree, 3}, {kControl | kAlt, 4}},
            {plain, plain, plain, plain, fifth}};
}

// A small map: the keypad's plus and minus switch video modes, Backspace ends the server, F3
// switches to the third virtual terminal; Space and the letter k are plain keys, and the keypad's
// 9 has a fifth level it never reaches.
X11KeyboardMap smallMap() {
    return {{controlAltKey(86, 0xffab, 0x1008FE22),
             controlAltKey(82, 0xffad, 0x1008FE23),
             controlAltKey(22, 0xff08, 0xFED5),
             controlAltKey(69, 0xffc0, 0x1008FE03),
             {65, 0, {}, {0x20}},
             {45, kShift, {{kShift, 1}}, {'k', 'K'}},
             {81, kShift, {{kShift, 1}}, {0xffb9, 0xffb9, 0, 0, 0x1008FE22}}}};
}

struct KeptRow {
    const char* name;
    uint16_t hostKeyCode;
    uint32_t carbon;
    std::optional<std::string> action;
};

void PrintTo(const KeptRow& row, std::ostream* out) {
    *out << row.name;
}

class ServerKeptCombination : public ::testing::TestWithParam<KeptRow> {};

TEST_P(ServerKeptCombination, IsWhatTheSelectedLevelDoes) {
    const X11ModifierBits bits;
    EXPECT_EQ(x11ServerKeptAction(smallMap(), GetParam().hostKeyCode, GetParam().carbon, bits),
              GetParam().action);
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, ServerKeptCombination,
    ::testing::Values(
        KeptRow{"lastSpaceDefaultKeypadPlus", 69, kCommandOptionControl,
                "switching to the next video mode"},
        KeptRow{"keypadPlusWithControlAndAltOnly", 69, kCommandOption,
                "switching to the next video mode"},
        KeptRow{"keypadMinus", 78, kCommandOptionControl, "switching to the previous video mode"},
        KeptRow{"shiftLeavesTheLevelNoEntryNames", 69,
                kCommandOptionControl | CarbonModifiers::shiftKey, std::nullopt},
        KeptRow{"controlAloneSelectsTheFirstLevel", 69, CarbonModifiers::cmdKey, std::nullopt},
        KeptRow{"backspaceEndsTheServer", 51, kCommandOption, "terminating the X server"},
        KeptRow{"functionKeySwitchesTerminal", 99, kCommandOptionControl,
                "switching to virtual terminal 3"},
        KeptRow{"pickerSpaceIsDelivered", 49, kCommandOptionControl, std::nullopt},
        KeptRow{"letterIsDelivered", 40, kCommandOption | CarbonModifiers::shiftKey, std::nullopt},
        KeptRow{"unreachedLevelCountsForNothing", 92, kCommandOptionControl, std::nullopt},
        KeptRow{"keyTheMapLacks", 124, kCommandOptionControl, std::nullopt},
        KeptRow{"codeNoKeyHas", 0x7F, kCommandOptionControl, std::nullopt}),
    [](const ::testing::TestParamInfo<KeptRow>& info) { return std::string(info.param.name); });

TEST(X11ServerKeptKeys, ALevelTheKeyLacksTypesNothing) {
    const X11KeyboardKey twoLevels{10, kControl | kAlt, {{kControl | kAlt, 4}}, {0xffab, 0xffab}};
    EXPECT_EQ(x11KeySymTyped(twoLevels, kControl | kAlt), 0u);
    EXPECT_EQ(x11KeySymTyped(twoLevels, kControl | kAlt | (1 << 6)), 0u)
        << "a modifier the type does not look at changes nothing";
    EXPECT_EQ(x11KeySymTyped(twoLevels, 0), 0xffabu);
}

TEST(X11ServerKeptKeys, AServerWithAltElsewhereIsFollowed) {
    X11ModifierBits bits;
    bits.alt = 1 << 5;
    X11KeyboardMap map{{controlAltKey(86, 0xffab, 0x1008FE22)}};
    map.keys[0].typeModifiers = kControl | (1 << 5);
    map.keys[0].entries = {{kControl | (1 << 5), 4}};
    EXPECT_EQ(x11ServerKeptAction(map, 69, kCommandOptionControl, bits),
              "switching to the next video mode");
}

TEST(X11ServerKeptKeys, OnlyTheServersOwnSymbolsAreKept) {
    EXPECT_EQ(x11ServerAction(0x1008FE01), "switching to virtual terminal 1");
    EXPECT_EQ(x11ServerAction(0x1008FE0C), "switching to virtual terminal 12");
    EXPECT_EQ(x11ServerAction(0x1008FE0D), std::nullopt);
    EXPECT_EQ(x11ServerAction(0x1008FE00), std::nullopt);
    EXPECT_EQ(x11ServerAction(0xffab), std::nullopt);
}

} // namespace
} // namespace tessarin
