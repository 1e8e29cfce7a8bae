#include "UI/OSD/OSDWindowTestSupport.h"

#include <QImage>
#include <filesystem>

namespace tessarin::testing {
namespace {

class OSDWindowSnapshotTest : public OSDWindowTest {
protected:
    OSDWindowSnapshotTest() {
        folder =
            std::filesystem::temp_directory_path() /
            ("osd-snapshot-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
    }
    ~OSDWindowSnapshotTest() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
};

TEST_F(OSDWindowSnapshotTest, WritesThePanelAsPNGIntoNewFoldersAndReplacesOldFiles) {
    show(plainModel(4, 2));
    const auto path = folder / "nested" / "deeper" / "osd.png";
    for (int round = 0; round < 2; ++round) {
        ASSERT_FALSE(window.writeVisibleGridSnapshot(path).has_value());
        QImage image(QString::fromStdString(path.string()), "PNG");
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width() / image.devicePixelRatio(), panel().width());
    }
}

TEST_F(OSDWindowSnapshotTest, NothingVisibleMakesNoFolder) {
    const auto path = folder / "osd.png";
    auto failure = window.writeVisibleGridSnapshot(path);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->error, OSDWindowSnapshotError::noVisibleGridWindow);
    show(plainModel(4, 2));
    window.suspendForSyntheticEventPosting();
    failure = window.writeVisibleGridSnapshot(path);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->error, OSDWindowSnapshotError::noVisibleGridWindow);
    EXPECT_FALSE(std::filesystem::exists(folder));
}

} // namespace
} // namespace tessarin::testing
