#include "Core/Previews/OSDGridAppIconController.h"

#include "Core/Previews/OSDGridFinderFallbackIcon.h"
#include "Platform/ScreenCapture/ApplicationIconDrawing.h"
#include "Platform/ScreenCapture/ApplicationWindowTitles.h"
#include "Platform/SystemServices.h"
#include "PreviewsWorld.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

OSDGridAppIconSource source(std::optional<std::string> bundle, std::optional<std::string> name,
                            std::optional<std::string> title, QColor color = Qt::red) {
    return {std::move(bundle), std::move(name), std::move(title),
            ApplicationIconDrawing::draw(color, 256), false};
}

class AppIconControllerTest : public PreviewsWorld {
protected:
    OSDGridAppIconController makeController() {
        return OSDGridAppIconController(
            [this] { return display; },
            [this]() -> std::optional<TessarinSpaceInfo> { return info; },
            [this] { return frontmost; },
            OSDGridAppIconController::makeDefaultIgnoredBundleIdentifiers(),
            OSDGridAppIconController::makeDefaultIgnoredTitleBundleIdentifiers(),
            [this] { return filter; });
    }

    std::optional<std::string> display = std::string(" D\n");
    std::optional<TessarinSpaceInfo> info = TessarinSpaceInfo{0, 3, 1};
    std::optional<OSDGridAppIconSource> frontmost =
        source("com.example.notes", " Notes ", "  List ");
    OSDAppFilter filter;
    OSDGridAppIconController controller = makeController();
    const OSDGridSpaceContext one{"D", 1, 0, 3};
};

TEST_F(AppIconControllerTest, TheFrontmostApplicationIsRecordedTrimmedForTheCurrentSpace) {
    const auto context = controller.recordFrontmostApplication();
    ASSERT_TRUE(context);
    EXPECT_EQ(*context, one);
    const auto icon = controller.iconEntry("D", 1);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->appDisplayName, "Notes");
    EXPECT_EQ(icon->icon.size(), QSize(128, 128));
    EXPECT_EQ(controller.mappedTitleEntries("D", {0, 1, 1}),
              (std::map<int64_t, OSDGridSpaceTitleEntry>{{1, {"List", "Notes"}},
                                                         {2, {"List", "Notes"}}}));
}

struct ContextCase {
    const char* name;
    std::optional<std::string> display;
    std::optional<TessarinSpaceInfo> info;
};

TEST_F(AppIconControllerTest, NoContextMeansNothingRecorded) {
    const std::vector<ContextCase> cases{
        {"no display", std::nullopt, TessarinSpaceInfo{0, 3, 1}},
        {"blank display", std::string(" "), TessarinSpaceInfo{0, 3, 1}},
        {"no Space information", std::string("D"), std::nullopt},
        {"Space 0", std::string("D"), TessarinSpaceInfo{0, 3, 0}},
        {"index equal to the count", std::string("D"), TessarinSpaceInfo{3, 3, 1}},
    };
    for (const ContextCase& c : cases) {
        display = c.display;
        info = c.info;
        EXPECT_FALSE(controller.recordFrontmostApplication()) << c.name;
    }
    EXPECT_TRUE(controller.mappedIconEntries("D", {1}).empty());
}

TEST_F(AppIconControllerTest, FinderGetsATitleButNoIconAndTheDockNeither) {
    frontmost = source("com.apple.finder", "Finder", "Home");
    controller.recordFrontmostApplication();
    EXPECT_FALSE(controller.iconEntry("D", 1));
    EXPECT_EQ(controller.mappedTitleEntries("D", {1}).at(0).windowTitle, "Home");
    frontmost = source("com.apple.dock", "Dock", std::nullopt);
    controller.recordFrontmostApplication();
    EXPECT_EQ(controller.mappedTitleEntries("D", {1}).at(0).windowTitle, "Home");
}

TEST_F(AppIconControllerTest, AnUnchangedIconIsNoChange) {
    EXPECT_TRUE(controller.recordIcon(frontmost, one, false));
    EXPECT_FALSE(controller.recordIcon(frontmost, one, false));
    // The same application on another Space shares the recorded picture.
    EXPECT_TRUE(controller.recordIcon(frontmost, {"D", 2, 1, 3}, false));
    EXPECT_EQ(controller.iconEntry("D", 2)->icon.constBits(),
              controller.iconEntry("D", 1)->icon.constBits());
    EXPECT_TRUE(
        controller.recordIcon(source("com.example.notes", "Notes", {}, Qt::blue), one, false));
}

TEST_F(AppIconControllerTest, MetadataWithoutATitleKeepsTheSameApplicationsTitle) {
    controller.recordFrontmostApplication();
    controller.recordWindowMetadataSource(source("com.example.notes", "Notes", ""), one);
    EXPECT_EQ(controller.mappedTitleEntries("D", {1}).at(0).windowTitle, "List");
    controller.recordWindowMetadataSource(source("com.example.mail", "Mail", std::nullopt), one);
    EXPECT_EQ(controller.mappedTitleEntries("D", {1}).at(0),
              (OSDGridSpaceTitleEntry{std::nullopt, "Mail"}));
}

TEST_F(AppIconControllerTest, MetadataSourcesAreRecordedOnlyForSpacesTheSnapshotShows) {
    controller.recordWindowMetadataSources({{2, source("com.example.mail", "Mail", "Inbox")},
                                            {9, source("com.example.mail", "Mail", "Inbox")}},
                                           snapshotOf("D", {1, 0, 2}));
    EXPECT_EQ(controller.mappedIconEntries("D", {1, 0, 2, 9}).size(), 1u);
    EXPECT_TRUE(controller.iconEntry("D", 2));
}

TEST_F(AppIconControllerTest, AWindowlessSpaceLosesItsIconAndIgnoresTheFrontmostApplication) {
    controller.recordFrontmostApplication();
    OSDGridAppIconSource windowless{"com.apple.finder", "Finder", std::nullopt, std::nullopt, true};
    controller.recordWindowMetadataSource(windowless, one);
    EXPECT_TRUE(controller.isWindowlessSpace(" D ", 1));
    EXPECT_FALSE(controller.iconEntry("D", 1));
    frontmost = source("com.example.mail", "Mail", "Inbox");
    controller.recordFrontmostApplication();
    EXPECT_FALSE(controller.iconEntry("D", 1));
    controller.recordWindowMetadataSource(*frontmost, one);
    EXPECT_FALSE(controller.isWindowlessSpace("D", 1));
    EXPECT_EQ(controller.iconEntry("D", 1)->bundleIdentifier, "com.example.mail");
}

TEST_F(AppIconControllerTest, AFilteredSourceOrAFilterChangeClearsTheSpace) {
    controller.recordFrontmostApplication();
    filter = OSDAppFilter({"list"});
    EXPECT_TRUE(controller.pruneFilteredEntries());
    EXPECT_FALSE(controller.iconEntry("D", 1));
    EXPECT_TRUE(controller.mappedTitleEntries("D", {1}).empty());
    filter = OSDAppFilter();
    controller.recordFrontmostApplication();
    filter = OSDAppFilter({"notes"});
    EXPECT_TRUE(controller.recordIcon(frontmost, one, false));
    EXPECT_FALSE(controller.iconEntry("D", 1));
}

TEST_F(AppIconControllerTest, ReplacedSpaceIDsCarryIconsTitlesAndMarks) {
    controller.recordFrontmostApplication();
    const OSDGridSpaceContext two{"D", 2, 1, 3};
    controller.setWindowlessSpace(true, two);
    controller.remapSpaceIDs({{1, 0}, {2, 2}}, "D");
    EXPECT_TRUE(controller.iconEntry("D", 1));
    controller.remapSpaceIDs({{1, 11}, {2, 12}}, " D ");
    EXPECT_FALSE(controller.iconEntry("D", 1));
    EXPECT_TRUE(controller.iconEntry("D", 11));
    EXPECT_FALSE(controller.mappedTitleEntries("D", {11}).empty());
    EXPECT_TRUE(controller.isWindowlessSpace("D", 12));
    EXPECT_FALSE(controller.isWindowlessSpace("D", 2));
}

TEST_F(AppIconControllerTest, TheSystemsFrontmostSourceReadsTheFocusedElseMainWindowTitle) {
    host.system().setFrontmostApplication(41);
    host.applicationWindowTitles().setTitles(41, {std::nullopt, "Inbox"});
    const auto system = OSDGridAppIconController::defaultFrontmostSourceProvider()();
    ASSERT_TRUE(system);
    EXPECT_EQ(system->bundleIdentifier, "com.example.mail");
    EXPECT_EQ(system->windowTitle, "Inbox");
    ASSERT_TRUE(system->icon);
    host.system().setProcessTrusted(false);
    EXPECT_FALSE(OSDGridAppIconController::defaultFrontmostSourceProvider()()->windowTitle);
}

TEST(OSDGridFinderFallbackIconTest, TheFinderPictureLoadsAt128AndFillsVisitedCellsOnly) {
    const auto finder =
        OSDGridFinderFallbackIcon::loadEntry("com.apple.finder", "Finder", "Finder");
    ASSERT_TRUE(finder);
    EXPECT_EQ(finder->icon.size(), QSize(128, 128));
    EXPECT_FALSE(OSDGridFinderFallbackIcon::loadEntry("b", "n", "NoSuchPicture"));
    EXPECT_FALSE(OSDGridFinderFallbackIcon::loadEntry("b", "n", "Finder", {"/nonexistent"}));

    const OSDGridAppIconEntry cached{"com.example.notes", "Notes", QImage()};
    const auto merged =
        OSDGridFinderFallbackIcon::mergedIconMap({{0, cached}, {5, cached}}, {0, 1, 4}, 3, finder);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged.at(0), cached);
    EXPECT_EQ(merged.at(1), *finder);
    EXPECT_TRUE(OSDGridFinderFallbackIcon::mergedIconMap({{0, cached}}, {0}, 0, finder).empty());
}

} // namespace
} // namespace tessarin
