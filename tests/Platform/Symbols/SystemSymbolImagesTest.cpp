#include "Platform/Symbols/SystemSymbolImages.h"

#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

// A bundle holding one symbol, two folders above the folder the search starts from.
class SystemSymbolImagesTest : public ::testing::Test {
protected:
    SystemSymbolImagesTest() {
        fs::create_directories(root / SystemSymbolImages::bundleName);
        fs::create_directories(root / "bin" / "tests");
        QImage image(8, 8, QImage::Format_ARGB32);
        image.fill(Qt::black);
        image.save(QString::fromStdString(
            (root / SystemSymbolImages::bundleName / "symbol.xmark.png").string()));
        symbols.setSearchRoots({root / "bin" / "tests"});
    }
    ~SystemSymbolImagesTest() override { fs::remove_all(root); }

    fs::path root =
        fs::temp_directory_path() /
        ("symbols-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
         std::to_string(reinterpret_cast<uintptr_t>(this)));
    SystemSymbolImages symbols;
};

TEST_F(SystemSymbolImagesTest, FindsASymbolInTheBundleAboveAndLetsATestWithdrawIt) {
    const auto image = symbols.image("xmark");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->size(), QSize(8, 8));
    EXPECT_FALSE(symbols.image("gearshape").has_value());
    symbols.withdraw("xmark");
    EXPECT_FALSE(symbols.image("xmark").has_value());
    symbols.restore("xmark");
    EXPECT_TRUE(symbols.image("xmark").has_value());
}

} // namespace
} // namespace tessarin
