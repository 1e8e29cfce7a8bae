#include "Platform/Program/ProgramBuildInfo.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/SetupServicesScenario.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

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
