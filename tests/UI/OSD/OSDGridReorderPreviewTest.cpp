#include "UI/OSD/OSDGridReorderPreview.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Behavior = OSDGridRearrangementBehavior;
using Order = std::vector<int64_t>;

// Five Spaces; the drag area offers nine slots.
TEST(OSDGridReorderPreviewTest, OrdersTheSlotsTheDragWouldLeave) {
    const struct {
        const char* name;
        int64_t source, destination;
        Behavior behavior;
        std::set<int64_t> placeholders;
        std::optional<Order> expected; // none: no preview
        int64_t sourceSlot = 0;
    } cases[] = {
        {"swap exchanges", 0, 2, Behavior::swap, {}, Order{2, 1, 0, 3, 4}, 2},
        {"shuffle forward", 0, 2, Behavior::shuffle, {}, Order{1, 2, 0, 3, 4}, 2},
        {"shuffle backward", 3, 1, Behavior::shuffle, {}, Order{0, 3, 1, 2, 4}, 1},
        {"shuffle onto a placeholder", 0, 3, Behavior::shuffle, {3}, Order{3, 1, 2, 0, 4}, 3},
        {"virtual slot", 1, 7, Behavior::shuffle, {}, Order{0, 1, 2, 3, 4}, 7},
        {"placeholder source", 2, 0, Behavior::swap, {2}, std::nullopt},
        {"source outside", 5, 0, Behavior::swap, {}, std::nullopt},
        {"past the drag area", 0, 9, Behavior::swap, {}, std::nullopt},
        {"negative destination", 0, -1, Behavior::swap, {}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto preview =
            OSDGridReorderPreview::make(5, c.source, c.destination, c.behavior, c.placeholders, 9);
        ASSERT_EQ(preview.has_value(), c.expected.has_value());
        if (preview) {
            EXPECT_EQ(preview->order, *c.expected);
            EXPECT_EQ(preview->slot(c.source), c.sourceSlot);
        }
    }
}

} // namespace
} // namespace tessarin
