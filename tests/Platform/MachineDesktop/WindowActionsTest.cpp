#include "Platform/MachineDesktop/WindowActions.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(WindowActionsTest, TheMotifHintsOfferOnlyWhatTheWindowAllows) {
    // Flags name functions and decorations; moving, a title and a border always.
    const struct {
        const char* name;
        WindowActions actions;
        uint32_t functions;
        uint32_t decorations;
    } cases[] = {
        {"moves only", {.close = false}, 0x04, 0x0a},
        {"closes", {.close = true}, 0x24, 0x0a},
        {"resizes", {.close = false, .resize = true}, 0x06, 0x0e},
        {"miniaturises", {.close = false, .miniaturise = true}, 0x0c, 0x2a},
        {"zooms", {.close = false, .zoom = true}, 0x14, 0x4a},
        {"everything",
         {.close = true, .miniaturise = true, .zoom = true, .resize = true},
         0x3e,
         0x6e},
    };
    for (const auto& c : cases) {
        const auto hints = motifHintsOf(c.actions);
        EXPECT_EQ(hints[0], 0x03U) << c.name;
        EXPECT_EQ(hints[1], c.functions) << c.name;
        EXPECT_EQ(hints[2], c.decorations) << c.name;
        EXPECT_EQ(hints[3], 0U) << c.name;
        EXPECT_EQ(hints[4], 0U) << c.name;
    }
}

} // namespace
} // namespace tessarin
