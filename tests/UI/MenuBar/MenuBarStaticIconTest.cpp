#include "UI/MenuBar/MenuBarStaticIcon.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

// The build places the bundle beside the program, a folder above the test programs.
TEST(MenuBarStaticIconTest, TheBuiltResourceBecomesATwentyPointTemplate) {
    const auto icon = MenuBarStaticIcon::image();
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->size(), QSize(20, 20));
    EXPECT_EQ(icon->text(MenuBarStaticIcon::templateKey), "true");
    // The filled top-right cell is solid; the gap between the cells is clear.
    EXPECT_GT(icon->pixelColor(14, 5).alpha(), 200);
    EXPECT_EQ(icon->pixelColor(10, 10).alpha(), 0);
}

TEST(MenuBarStaticIconTest, AFileThatIsNoImageGivesNothing) {
    const fs::path folder = fs::temp_directory_path() / "tessarin-static-icon-test";
    fs::create_directories(folder / "Tessarin_Tessarin.bundle");
    std::ofstream(folder / "Tessarin_Tessarin.bundle" / "TessarinMenuTemplate.png") << "no image";
    EXPECT_FALSE(MenuBarStaticIcon::image({{folder}, folder}));
    fs::remove_all(folder);
    EXPECT_FALSE(MenuBarStaticIcon::image({{folder}, folder}));
}

} // namespace
} // namespace tessarin
