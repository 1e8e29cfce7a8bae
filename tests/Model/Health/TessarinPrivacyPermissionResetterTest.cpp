#include "Model/Health/TessarinPrivacyPermissionResetter.h"

#include "Model/Health/TessarinPrivacyPermissionPromptHistory.h"
#include "Platform/PlatformWorld.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Privacy/PrivacyResetTool.h"
#include "Platform/Process/ProcessLauncher.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/SystemServices.h"

namespace tessarin {
namespace {

using Resetter = TessarinPrivacyPermissionResetter;
using Error = TessarinPrivacyPermissionResetError;

class TessarinPrivacyPermissionResetterTest : public HostWorld {
protected:
    TessarinPrivacyPermissionResetterTest() {
        for (const char* key : TessarinPrivacyPermissionPromptHistory::allKeys) {
            host.defaults().set(key, true);
        }
        host.defaults().set("gridUsePlaceholders", true);
    }
    std::size_t flagsLeft() { return host.defaults().keys().size() - 1; }
    std::size_t toolRuns() { return host.processes().launches().size(); }
};

TEST_F(TessarinPrivacyPermissionResetterTest, BothResetsClearTheDecisionsAndOnlyTheFlags) {
    EXPECT_EQ(Resetter::resetAll(host.defaults()), std::nullopt);
    EXPECT_FALSE(host.system().isProcessTrusted());
    EXPECT_FALSE(host.system().preflightScreenCaptureAccess());
    EXPECT_EQ(host.defaults().keys(), std::vector<std::string>{"gridUsePlaceholders"});
    EXPECT_EQ(host.processes().launches()[1],
              (ProcessLaunch{kPrivacyResetToolPath,
                             {"reset", "ScreenCapture", "com.tessarin.Tessarin"}}));
}

TEST_F(TessarinPrivacyPermissionResetterTest, AFailureStopsThereAndKeepsTheFlags) {
    const std::string flood(kProcessPipeCapacity * 2, 'y');
    // clang-format off
    struct Case { const char* name; std::vector<ProcessRun> runs; std::size_t expectedRuns; Error expected; };
    const Case cases[] = {
        {"launch fails", {{"Permission denied", 0, ""}}, 1, Error::systemError("Permission denied")},
        {"silent status 1", {{std::nullopt, 1, ""}}, 1, Error::tccutilFailed("Accessibility", 1, "")},
        {"message with newline", {{}, {std::nullopt, 70, " No such bundle\n"}}, 2, Error::tccutilFailed("ScreenCapture", 70, "No such bundle")},
        {"invalid UTF-8", {{std::nullopt, 2, "bad \xff\xfe"}}, 1, Error::tccutilFailed("Accessibility", 2, "")},
        {"more than the pipe holds", {{std::nullopt, 3, flood}}, 1, Error::tccutilFailed("Accessibility", 3, flood)},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = toolRuns();
        for (const ProcessRun& run : c.runs) {
            host.processes().scriptRun(kPrivacyResetToolPath, run);
        }
        EXPECT_EQ(Resetter::resetAll(host.defaults()), c.expected);
        EXPECT_EQ(toolRuns() - before, c.expectedRuns);
        EXPECT_EQ(flagsLeft(), 4u);
    }
}

TEST_F(TessarinPrivacyPermissionResetterTest, DescriptionsNameTheServiceAndTheOutputOrStatus) {
    EXPECT_EQ(Error::tccutilFailed("Accessibility", 1, "").errorDescription(),
              "Failed to reset Accessibility: tccutil exited with status 1.");
    EXPECT_EQ(Error::tccutilFailed("ScreenCapture", 70, "No such bundle").errorDescription(),
              "Failed to reset ScreenCapture: No such bundle");
    EXPECT_EQ(Error::missingBundleIdentifier().errorDescription(),
              "Tessarin's bundle identifier could not be resolved.");
}

TEST_F(TessarinPrivacyPermissionResetterTest, AnEmptyIdentifierRunsNothingAndNoneTakesTheBuiltIn) {
    ProgramBundleInfo info = host.programBundle().info();
    info.identifier = "";
    host.programBundle().setInfo(info);
    EXPECT_EQ(Resetter::resetAll(host.defaults()), Error::missingBundleIdentifier());
    EXPECT_EQ(toolRuns(), 0u);

    info.identifier.reset();
    host.programBundle().setInfo(info);
    EXPECT_EQ(Resetter::resetAll(host.defaults()), std::nullopt);
    EXPECT_EQ(host.processes().launches()[0].arguments.back(), "com.tessarin.Tessarin");
}

} // namespace
} // namespace tessarin
