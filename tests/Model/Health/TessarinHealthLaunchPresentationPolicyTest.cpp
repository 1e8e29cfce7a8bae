#include "Model/Health/TessarinHealthLaunchPresentationPolicy.h"

#include "Model/Health/TessarinHealthStatusProvider.h"
#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Scenario.h"
#include "Platform/SystemServices.h"
#include "Support/VirtualMainQueue.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Presentation = TessarinHealthLaunchPresentation;
using Status = TessarinHealthCheckStatus;
constexpr const char* kFirst = TessarinHealthLaunchPresentationPolicy::firstRunSetupShownKey;
constexpr const char* kPending =
    TessarinHealthLaunchPresentationPolicy::pendingAllSetPresentationKey;

TessarinHealthCheckSnapshot withStatus(Status status) {
    return {{{TessarinHealthCheckIdentifier::screenRecording, "", "", status, std::nullopt}}};
}

TEST(TessarinHealthLaunchPresentationPolicy, DecidesByTheTableAndWritesOnlyWhatItSays) {
    const auto A = Status::actionRequired, R = Status::recommended, P = Status::passed;
    const std::optional<bool> unset;
    // clang-format off
    struct Case { const char* name; std::optional<bool> first; std::optional<bool> pending; Status status; bool practice;
                  Presentation expected; std::optional<bool> pendingAfter; };
    const Case cases[] = {
        {"first, all in order", unset, unset, P, true, Presentation::allSet, unset},
        {"first, recommended left", unset, unset, R, true, Presentation::setup, true},
        {"first, practice open", unset, false, P, false, Presentation::setup, true},
        {"later, required", true, false, A, true, Presentation::setup, true},
        {"later, practice open", true, unset, P, false, Presentation::setup, true},
        {"later, recommended only", true, true, R, true, Presentation::none, true},
        {"later, owed all-set", true, true, P, true, Presentation::allSet, false},
        {"later, nothing owed", true, false, P, true, Presentation::none, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserDefaults defaults;
        if (c.first)
            defaults.set(kFirst, *c.first);
        if (c.pending)
            defaults.set(kPending, *c.pending);
        TessarinHealthLaunchPresentationPolicy policy(defaults);
        EXPECT_EQ(policy.presentation(withStatus(c.status), c.practice), c.expected);
        EXPECT_EQ(defaults.boolValue(kFirst), true);
        EXPECT_EQ(defaults.boolValue(kPending), c.pendingAfter);
    }
}

TEST(TessarinHealthLaunchPresentationPolicy, AFlagOfAnotherTypeReadsAsUnsetAndIsLeftAlone) {
    UserDefaults defaults;
    defaults.set(kFirst, true);
    defaults.set(kPending, "true");
    TessarinHealthLaunchPresentationPolicy policy(defaults);
    EXPECT_EQ(policy.presentation(withStatus(Status::passed), true), Presentation::none);
    EXPECT_EQ(defaults.stringValue(kPending), "true");
}

// Each launch is a new host over the same defaults file, with the real checks.
TEST(TessarinHealthLaunchPresentationPolicy, RelaunchesGiveSetupThenAllSetOnceThenNothing) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Scenario scenario = Scenario::defaultScenario();
    scenario.preferenceDomains["com.apple.dock"] = {{"mru-spaces", false}};
    scenario.setupServices.loginItemStatus = LoginItemStatus::enabled;
    const auto launch = [&](bool captureAllowed) {
        scenario.screenCaptureAllowed = captureAllowed;
        VirtualMainQueue queue;
        ScopedMainQueue scopedQueue(queue);
        Host host(scenario, queue,
                  {std::filesystem::path(folder.path().toStdString()) / "defaults.json"});
        ScopedCurrentHost current(host);
        TessarinHealthStatusProvider provider;
        provider.permissionHistoryDefaults = &host.defaults();
        TessarinHealthLaunchPresentationPolicy policy(host.defaults());
        return policy.presentation(provider.snapshot(), true);
    };
    EXPECT_EQ(launch(false), Presentation::setup);
    EXPECT_EQ(launch(false), Presentation::none); // only a recommendation is left
    EXPECT_EQ(launch(true), Presentation::allSet);
    EXPECT_EQ(launch(true), Presentation::none);
}

} // namespace
} // namespace tessarin
