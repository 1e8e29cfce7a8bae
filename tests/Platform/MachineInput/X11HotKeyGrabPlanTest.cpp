#include "Platform/MachineInput/X11HotKeyGrabPlan.h"

#include "Platform/Input/HotKeyCenter.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

struct KeySymRow {
    const char* name;
    uint16_t hostKeyCode;
    std::optional<uint32_t> keySym;
};

void PrintTo(const KeySymRow& row, std::ostream* out) {
    *out << row.name;
}

class HostKeyCodeKeySym : public ::testing::TestWithParam<KeySymRow> {};

TEST_P(HostKeyCodeKeySym, IsTheKeyTheMachineTypesItWith) {
    EXPECT_EQ(x11KeySymForHostKeyCode(GetParam().hostKeyCode), GetParam().keySym);
}

// The default hot keys' keys (Space, arrows, digits, the keypad plus) and the edges of the
// tables: a letter, a punctuation key, the last function key, and a code no key has.
INSTANTIATE_TEST_SUITE_P(
    Keys, HostKeyCodeKeySym,
    ::testing::Values(KeySymRow{"space", 49, 0x20}, KeySymRow{"left", 123, 0xff51},
                      KeySymRow{"right", 124, 0xff53}, KeySymRow{"down", 125, 0xff54},
                      KeySymRow{"up", 126, 0xff52}, KeySymRow{"one", 18, '1'},
                      KeySymRow{"zero", 29, '0'}, KeySymRow{"keypadPlus", 69, 0xffab},
                      KeySymRow{"keypadNine", 92, 0xffb9}, KeySymRow{"letterK", 40, 'k'},
                      KeySymRow{"comma", 43, ','}, KeySymRow{"f12", 111, 0xffc9},
                      KeySymRow{"f5", 96, 0xffc2}, KeySymRow{"noKey", 0x7F, std::nullopt}),
    [](const ::testing::TestParamInfo<KeySymRow>& info) { return std::string(info.param.name); });

TEST(X11HotKeyModifiers, CommandOptionControlAndShiftStandOnControlAltSuperAndShift) {
    X11ModifierBits bits;
    bits.alt = 1 << 3;
    bits.super = 1 << 6;
    bits.numLock = 1 << 4;
    const uint32_t all = CarbonModifiers::cmdKey | CarbonModifiers::optionKey |
                         CarbonModifiers::controlKey | CarbonModifiers::shiftKey;
    EXPECT_EQ(x11Modifiers(CarbonModifiers::cmdKey, bits), bits.control);
    EXPECT_EQ(x11Modifiers(CarbonModifiers::optionKey, bits), bits.alt);
    EXPECT_EQ(x11Modifiers(CarbonModifiers::controlKey, bits), bits.super);
    EXPECT_EQ(x11Modifiers(CarbonModifiers::shiftKey, bits), bits.shift);
    EXPECT_EQ(carbonModifiersOfX11State(x11Modifiers(all, bits), bits), all);
    // The locks change nothing a press is matched with.
    EXPECT_EQ(carbonModifiersOfX11State(bits.control | bits.numLock | bits.capsLock, bits),
              CarbonModifiers::cmdKey);
}

TEST(X11HotKeyModifiers, AServerThatPutsAltAndSuperElsewhereIsFollowed) {
    X11ModifierBits bits;
    bits.alt = 1 << 5;   // Mod3
    bits.super = 1 << 7; // Mod5
    EXPECT_EQ(x11Modifiers(CarbonModifiers::optionKey | CarbonModifiers::controlKey, bits),
              (1 << 5) | (1 << 7));
    EXPECT_EQ(carbonModifiersOfX11State(1 << 3, bits), 0u) << "Mod1 holds nothing here";
}

TEST(X11HotKeyModifiers, EachCombinationIsGrabbedWithAndWithoutNumLockAndCapsLock) {
    const X11ModifierBits bits;
    const uint16_t control = bits.control;
    EXPECT_EQ(
        x11LockVariants(control, bits),
        (std::vector<uint16_t>{control, static_cast<uint16_t>(control | bits.numLock),
                               static_cast<uint16_t>(control | bits.capsLock),
                               static_cast<uint16_t>(control | bits.numLock | bits.capsLock)}));
}

TEST(X11HotKeyNames, ALogLineNamesTheKeysAsTheMachineTypesThem) {
    const uint32_t picker =
        CarbonModifiers::cmdKey | CarbonModifiers::optionKey | CarbonModifiers::controlKey;
    EXPECT_EQ(x11CombinationName(49, picker), "Ctrl+Alt+Super+space");
    EXPECT_EQ(x11CombinationName(40, CarbonModifiers::shiftKey | CarbonModifiers::cmdKey),
              "Ctrl+Shift+k");
    EXPECT_EQ(x11CombinationName(69, picker), "Ctrl+Alt+Super+KP_Add");
}

} // namespace
} // namespace tessarin
