#include "Platform/Program/ProgramBuildInfo.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/SetupServicesScenario.h"

#include <QFile>
#include <gtest/gtest.h>
#include <set>

namespace tessarin {
namespace {

int distinctOpaqueColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 255) {
                colours.insert(image.pixel(x, y));
            }
        }
    }
    return static_cast<int>(colours.size());
}

TEST(ProgramBundleContentsTest, TheBuildsOwnBundleNamesItsVersionAndCommitAndHasItsIcon) {
    const ProgramBundle bundle{ProgramBundleInfo{}};
    const PropertyValue* version = bundle.infoValue("CFBundleShortVersionString");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->stringValue(), ProgramBuildInfo::version());
    const PropertyValue* commit = bundle.infoValue("GitCommitHash");
    ASSERT_NE(commit, nullptr);
    EXPECT_EQ(commit->stringValue(), ProgramBuildInfo::commit());
    EXPECT_NE(std::string(ProgramBuildInfo::commit()), "");

    const auto path = bundle.pathForResource("AppIcon", "png");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, "/Applications/Tessarin.app/Contents/Resources/AppIcon.png");
    const auto bytes = bundle.contentsOfFile(*path);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_FALSE(QImage::fromData(*bytes).isNull());
    EXPECT_EQ(bundle.pathForResource("AppIcon", "icns"), std::nullopt);
}

TEST(ProgramBundleContentsTest, TheBundlesIconIsTheProgramsOwnPicture) {
    const ProgramBundle bundle{ProgramBundleInfo{}};
    QFile built(QString::fromUtf8(ProgramBuildInfo::resourceBundlePath()) + "/AppIcon.png");
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    EXPECT_EQ(bundle.contentsOfFile(*bundle.pathForResource("AppIcon", "png")), built.readAll());
}

TEST(ProgramBundleContentsTest, TheWorkspaceShowsTheProgramsBundleWithItsIconFile) {
    ProgramBundleInfo elsewhere;
    elsewhere.bundlePath = "/Users/me/Downloads/Tessarin.app";
    const ProgramBundle bundle(elsewhere);
    const QImage own = bundle.icon(elsewhere.bundlePath, 64);
    const QImage file =
        bundle.imageNamed("AppIcon")->scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    EXPECT_EQ(own, file.convertToFormat(own.format()));
    EXPECT_EQ(bundle.icon(kInstalledProgramBundlePath, 64), own) << "the installed copy";
    EXPECT_GT(distinctOpaqueColours(own), 20) << "a drawn picture, not one flat shape";

    const QImage other = bundle.icon("/Applications/Notes.app", 64);
    EXPECT_NE(other, own);
    EXPECT_GT(distinctOpaqueColours(other), 20) << "another application has a drawn icon too";
    EXPECT_EQ(bundle.icon("/Applications/Notes.app", 64), other);
}

TEST(ProgramBundleContentsTest, ABundleWithoutAnIconFileShowsAnApplicationIcon) {
    const Json root = Json::parse(R"({"program": {"resources": {"Notes.txt": "hello"}}})");
    SetupServicesScenario scenario;
    ASSERT_EQ(readSetupServicesScenario(root, scenario), std::nullopt);
    const ProgramBundle bundle(scenario.program);
    const QImage icon = bundle.icon(bundle.bundlePath(), 32);
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.pixelColor(16, 4).alpha(), 255);
    EXPECT_NE(bundle.icon("/Users/me/Notes.txt", 32), icon) << "a document looks otherwise";
}

TEST(ProgramBundleContentsTest, TheScenarioReplacesInfoAndResourcesAndRoundTrips) {
    const Json root = Json::parse(R"({"program": {
        "info": {"CFBundleShortVersionString": "2.1", "CFBundleVersion": 7},
        "resources": {"Notes.txt": "hello", "Icon": {"base64": "aGk="}}}})");
    SetupServicesScenario scenario;
    ASSERT_EQ(readSetupServicesScenario(root, scenario), std::nullopt);
    const ProgramBundle bundle(scenario.program);
    ASSERT_NE(bundle.infoValue("CFBundleVersion"), nullptr);
    EXPECT_TRUE(bundle.infoValue("CFBundleVersion")->isInteger());
    EXPECT_EQ(bundle.infoValue("GitCommitHash"), nullptr); // "info" replaces the build's whole
    EXPECT_EQ(bundle.contentsOfFile(*bundle.pathForResource("Icon", "")), QByteArray("hi"));
    EXPECT_EQ(bundle.contentsOfFile(*bundle.pathForResource("Notes", "txt")), QByteArray("hello"));

    Json written;
    writeSetupServicesScenario(scenario, written);
    SetupServicesScenario again;
    ASSERT_EQ(readSetupServicesScenario(written, again), std::nullopt);
    EXPECT_EQ(again, scenario);
}

TEST(ProgramBundleContentsTest, BadContentsNameTheirMember) {
    struct Case {
        const char* json;
        const char* problem;
    } const cases[] = {
        {R"({"program": {"info": []}})", "program.info: must be an object"},
        {R"({"program": {"resources": {"Icon": 3}}})", "program.resources.Icon"},
        {R"({"program": {"resources": {"Icon": {"base64": "*"}}}})",
         "program.resources.Icon.base64"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        SetupServicesScenario scenario;
        const auto problem = readSetupServicesScenario(Json::parse(c.json), scenario);
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->rfind(c.problem, 0), 0u) << *problem;
    }
}

} // namespace
} // namespace tessarin
