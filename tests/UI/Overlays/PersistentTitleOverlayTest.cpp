#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Platform/Preferences/UserDefaults.h"
#include "UI/Overlays/PersistentOverlayTestSupport.h"
#include "UI/Overlays/PersistentTitleOverlayController.h"
#include "UI/Overlays/PersistentTitleOverlayLayout.h"
#include "UI/Overlays/PersistentTitleOverlayTitleResolver.h"

namespace tessarin::testing {
namespace {

using Layout = PersistentTitleOverlayLayout;

TEST_F(PersistentOverlayTest, TitleLayoutPadsByThePointSizeAndCapsTheWidth) {
    struct Case {
        std::int64_t pointSize;
        double p;
        double q;
    };
    for (const Case& c : {Case{10, 7, 4}, Case{18, 12, 8}, Case{96, 64, 39}}) {
        SCOPED_TRACE(c.pointSize);
        const auto layout =
            Layout::make("Space 1", PersistentTitleOverlayFont("system", c.pointSize));
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->textFrame.origin, Point(c.p, c.q));
        EXPECT_EQ(layout->windowSize.width, 2 * c.p + layout->textFrame.width());
        EXPECT_EQ(layout->windowSize.height, 2 * c.q + layout->textFrame.height());
        EXPECT_FALSE(layout->didConstrainWidth);
    }
    const auto trimmed = Layout::make("  Mail \n", PersistentTitleOverlayFont{});
    ASSERT_TRUE(trimmed);
    EXPECT_EQ(trimmed->title, "Mail");
    EXPECT_FALSE(Layout::make("   ", PersistentTitleOverlayFont{}));
    EXPECT_FALSE(Layout::make(std::nullopt, PersistentTitleOverlayFont{}));

    const auto wide = Layout::make(std::string(400, 'W'), PersistentTitleOverlayFont("system", 10));
    ASSERT_TRUE(wide);
    EXPECT_TRUE(wide->didConstrainWidth);
    EXPECT_EQ(wide->textFrame.width(), 200);
    EXPECT_EQ(Layout::cornerRadius(PersistentTitleOverlayFont{}), 7);
}

TEST_F(PersistentOverlayTest, TitleIsTheSlotNameOfTheFirstTenSlotsElseThePosition) {
    UserDefaults defaults;
    DirectSlotMetadataStore slots(defaults);
    slots.setName("  Mail  ", "UUID-A", 3);
    slots.setName("Ten", "UUID-A", 10);
    slots.setName("Far", "UUID-A", 11);
    using PersistentTitleOverlayTitleResolver::resolve;
    EXPECT_EQ(resolve(0, "UUID-A", slots), "Space 1");
    EXPECT_EQ(resolve(2, "UUID-A", slots), "Mail");
    EXPECT_EQ(resolve(9, "UUID-A", slots), "Ten");
    EXPECT_EQ(resolve(2, "UUID-B", slots), "Space 3");
    EXPECT_EQ(resolve(2, std::nullopt, slots), "Space 3");
    EXPECT_EQ(resolve(10, "UUID-A", slots), "Space 11");
    EXPECT_EQ(resolve(-1, "UUID-A", slots), std::nullopt);
}

TEST_F(PersistentOverlayTest, TitleWindowsFollowTheirDisplaysSettings) {
    PersistentTitleOverlayController controller;
    DisplayTitleOverlaySettings settingsA{
        true, OSDPlacement::topLeft, PersistentTitleOverlayOpacity::percent70, {}};
    DisplayTitleOverlaySettings settingsB{
        true, OSDPlacement::bottomRight, PersistentTitleOverlayOpacity::percent100, {}};
    std::optional<std::string> titleB = "Space 2";
    const auto refresh = [&] {
        controller.refresh(
            [&](const std::string& display) {
                return display == "UUID-A" ? std::optional<std::string>("Mail") : titleB;
            },
            [&](const std::string& display) {
                return display == "UUID-A" ? settingsA : settingsB;
            });
    };
    refresh();
    const OSDOverlayPanel* a = controller.window("UUID-A");
    const OSDOverlayPanel* b = controller.window("UUID-B");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(controller.title("UUID-A"), "Mail");
    const Size sizeA = a->hostFrame().size;
    const Size sizeB = b->hostFrame().size;
    EXPECT_EQ(a->hostFrame().origin, Point(24, 875 - sizeA.height - 24));
    EXPECT_EQ(b->hostFrame().origin, Point(1440 + 1920 - sizeB.width - 24, 24));
    EXPECT_DOUBLE_EQ(a->alpha(), 0.7);
    EXPECT_TRUE(shown(a) && shown(b));

    settingsA.opacity = PersistentTitleOverlayOpacity::percent0;
    titleB = "  ";
    refresh();
    EXPECT_EQ(controller.window("UUID-A"), a);
    EXPECT_FALSE(shown(a));
    EXPECT_EQ(controller.window("UUID-B"), nullptr);

    // B shows again, then is unplugged: its window goes with it.
    titleB = "Space 2";
    refresh();
    ASSERT_TRUE(controller.window("UUID-B"));
    host.displays().setScreens({scenario().displays[0]});
    refresh();
    EXPECT_EQ(controller.window("UUID-B"), nullptr);
    EXPECT_EQ(controller.window("UUID-A"), a);
}

} // namespace
} // namespace tessarin::testing
