#include "Platform/MachineInput/X11ModifierMapping.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace tessarin {
namespace {

constexpr uint32_t kShiftL = 0xffe1;
constexpr uint32_t kCapsLock = 0xffe5;
constexpr uint32_t kControlL = 0xffe3;
constexpr uint32_t kAltL = 0xffe9;
constexpr uint32_t kAltR = 0xffea;
constexpr uint32_t kMetaL = 0xffe7;
constexpr uint32_t kSuperL = 0xffeb;
constexpr uint32_t kSuperR = 0xffec;
constexpr uint32_t kNumLock = 0xff7f;
constexpr uint32_t kLevel3Shift = 0xfe03;

constexpr uint16_t mod(int n) {
    return static_cast<uint16_t>(1 << (n + 2));
}

// Shift, Lock and Control as every server has them; the rows name Mod1 to Mod5.
X11ModifierMapping mapping(std::array<std::vector<uint8_t>, 5> mods,
                           std::map<uint8_t, std::vector<uint32_t>> keySyms) {
    X11ModifierMapping result{{{{50}, {66}, {37}}}, std::move(keySyms)};
    for (std::size_t i = 0; i < mods.size(); ++i) {
        result.keys[i + 3] = std::move(mods[i]);
    }
    result.keySyms.try_emplace(50, std::vector<uint32_t>{kShiftL});
    result.keySyms.try_emplace(66, std::vector<uint32_t>{kCapsLock});
    result.keySyms.try_emplace(37, std::vector<uint32_t>{kControlL});
    return result;
}

struct MappingRow {
    const char* name;
    X11ModifierMapping mapping;
    uint16_t alt;
    uint16_t super;
    uint16_t numLock;
};

void PrintTo(const MappingRow& row, std::ostream* out) {
    *out << row.name;
}

class ModifierMappingBits : public ::testing::TestWithParam<MappingRow> {};

TEST_P(ModifierMappingBits, AreWhereTheServerPutsAltSuperAndNumLock) {
    const X11ModifierBits bits = x11ModifierBits(GetParam().mapping);
    EXPECT_EQ(bits.alt, GetParam().alt);
    EXPECT_EQ(bits.super, GetParam().super);
    EXPECT_EQ(bits.numLock, GetParam().numLock);
    EXPECT_EQ(bits.shift, 1);
    EXPECT_EQ(bits.capsLock, 2);
    EXPECT_EQ(bits.control, 4);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, ModifierMappingBits,
    ::testing::Values(
        MappingRow{"usualPc",
                   mapping({{{64, 108, 205}, {77}, {}, {133, 134}, {92}}}, {{64, {kAltL, kMetaL}},
                                                                            {108, {kAltR, kMetaL}},
                                                                            {205, {0, kMetaL}},
                                                                            {77, {kNumLock}},
                                                                            {133, {kSuperL}},
                                                                            {134, {kSuperR}},
                                                                            {92, {kLevel3Shift}}}),
                   mod(1), mod(4), mod(2)},
        MappingRow{"altOnMod3",
                   mapping({{{205}, {77}, {64}, {133}, {}}},
                           {{205, {kMetaL}}, {77, {kNumLock}}, {64, {kAltL}}, {133, {kSuperL}}}),
                   mod(3), mod(4), mod(2)},
        MappingRow{"altOnlyByItsRightKeyOnMod5",
                   mapping({{{}, {77}, {}, {133}, {108}}},
                           {{77, {kNumLock}}, {108, {kAltR}}, {133, {kSuperL}}}),
                   mod(5), mod(4), mod(2)},
        MappingRow{"superAndNumLockMoved",
                   mapping({{{64}, {133}, {77}, {}, {}}},
                           {{64, {kAltL}}, {77, {kNumLock}}, {133, {kSuperR}}}),
                   mod(1), mod(2), mod(3)},
        MappingRow{"altTypedOnTheShiftedLevel",
                   mapping({{{}, {}, {}, {}, {205}}}, {{205, {kMetaL, kAltL}}}), mod(5), mod(4),
                   mod(2)},
        MappingRow{"superOnMod1",
                   mapping({{{133}, {77}, {64}, {}, {}}},
                           {{133, {kSuperL}}, {77, {kNumLock}}, {64, {kAltL}}}),
                   mod(3), mod(1), mod(2)},
        MappingRow{"numLockOnMod1",
                   mapping({{{77}, {64}, {}, {133}, {}}},
                           {{77, {kNumLock}}, {64, {kAltL}}, {133, {kSuperL}}}),
                   mod(2), mod(4), mod(1)},
        // Alt on Mod1 and again on Mod3: the first holds, as the server's own clients read it.
        MappingRow{"aSecondAltOnALaterModifier",
                   mapping({{{64}, {77}, {108}, {133}, {}}},
                           {{64, {kAltL}}, {77, {kNumLock}}, {108, {kAltR}}, {133, {kSuperL}}}),
                   mod(1), mod(4), mod(2)},
        MappingRow{"nothingMappedKeepsTheUsualBits", mapping({{{}, {}, {}, {}, {}}}, {}), mod(1),
                   mod(4), mod(2)},
        // A key of Control typing Alt does not move Alt off Mod1 to Control.
        MappingRow{"altOnControlIgnored",
                   mapping({{{}, {77}, {}, {133}, {}}},
                           {{37, {kControlL, kAltL}}, {77, {kNumLock}}, {133, {kSuperL}}}),
                   mod(1), mod(4), mod(2)}),
    [](const ::testing::TestParamInfo<MappingRow>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
