#include "Model/Health/TessarinHealthStatusProvider.h"

#include "Model/Health/SpacesAutoRearrangeSetting.h"
#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Privacy/PrivacyResetTool.h"
#include "Platform/Process/ProcessLauncher.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Id = TessarinHealthCheckIdentifier;
using Status = TessarinHealthCheckStatus;

// Inputs that all pass; a case spoils some of them.
TessarinHealthStatusProvider allPassing() {
    TessarinHealthStatusProvider p;
    p.accessibilityTrusted = [] { return true; };
    p.screenRecordingSupported = [] { return true; };
    p.screenRecordingGranted = [] { return true; };
    p.connectedDisplayCount = [] { return 2; };
    p.displaysHaveSeparateSpaces = [] { return true; };
    p.launchAtLoginEnabled = [] { return true; };
    p.spacesAutoRearrangeEnabled = [] { return std::optional<bool>(false); };
    return p;
}

std::vector<Status> statuses(const TessarinHealthCheckSnapshot& snapshot) {
    std::vector<Status> result;
    for (const auto& item : snapshot.items) {
        result.push_back(item.status);
    }
    return result;
}

TEST(TessarinHealthStatusProvider, EachInputDecidesItsItemAndOnlyWhenItIsNeeded) {
    const auto never = []() -> bool {
        ADD_FAILURE() << "read although not needed";
        return true;
    };
    constexpr auto P = Status::passed;
    constexpr auto R = Status::recommended;
    // clang-format off
    struct Case { const char* name; std::function<void(TessarinHealthStatusProvider&)> spoil; std::vector<Status> expected; };
    const Case cases[] = {
        {"all passing", [](auto&) {}, {P, P, P, P, P}},
        {"not trusted", [](auto& p) { p.accessibilityTrusted = [] { return false; }; }, {Status::actionRequired, P, P, P, P}},
        {"before 14", [&](auto& p) { p.screenRecordingSupported = [] { return false; }; p.screenRecordingGranted = never; }, {P, Status::notAvailable, P, P, P}},
        {"capture denied", [](auto& p) { p.screenRecordingGranted = [] { return false; }; }, {P, R, P, P, P}},
        {"one display", [&](auto& p) { p.connectedDisplayCount = [] { return 1; }; p.displaysHaveSeparateSpaces = never; }, {P, P, Status::notApplicable, P, P}},
        {"shared Spaces", [](auto& p) { p.displaysHaveSeparateSpaces = [] { return false; }; }, {P, P, R, P, P}},
        {"re-arranging unset", [](auto& p) { p.spacesAutoRearrangeEnabled = [] { return std::optional<bool>(); }; }, {P, P, P, R, P}},
        {"not at login", [](auto& p) { p.launchAtLoginEnabled = [] { return false; }; }, {P, P, P, P, R}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TessarinHealthStatusProvider provider = allPassing();
        c.spoil(provider);
        const auto snapshot = provider.snapshot();
        EXPECT_EQ(statuses(snapshot), c.expected);
        ASSERT_EQ(snapshot.items.size(), 5u);
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(snapshot.items[i].identifier, kAllHealthCheckIdentifiers[i]);
            EXPECT_EQ(snapshot.items[i].actionTitle.has_value(),
                      snapshot.items[i].needsAttention());
        }
    }
}

TEST(TessarinHealthStatusProvider, TheDockSettingReadsBooleansAndNumbersOnly) {
    EXPECT_EQ(spacesAutoRearrangeValue(std::nullopt), std::nullopt);
    EXPECT_EQ(spacesAutoRearrangeValue(PropertyValue(true)), true);
    EXPECT_EQ(spacesAutoRearrangeValue(PropertyValue(0)), false);
    EXPECT_EQ(spacesAutoRearrangeValue(PropertyValue(0.5)), true);
    EXPECT_EQ(spacesAutoRearrangeValue(PropertyValue("0")), std::nullopt);
}

TEST(TessarinHealthStatusProvider, GrantedPermissionsAreNotedOnlyWithDefaultsAndOnlyOnce) {
    UserDefaults defaults;
    int writes = 0;
    defaults.addObserver([&](const std::string&) { ++writes; });
    TessarinHealthStatusProvider provider = allPassing();
    provider.snapshot();
    EXPECT_EQ(writes, 0);
    provider.permissionHistoryDefaults = &defaults;
    provider.snapshot();
    provider.snapshot();
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(defaults.boolValue("privacy.accessibilityAccessObserved"), true);
    EXPECT_EQ(defaults.boolValue("privacy.screenRecordingAccessObserved"), true);
}

// The default inputs read the host: its privacy decisions, displays, Dock and login item.
TEST(TessarinHealthStatusProvider, RevokedTrustOnTheHostTurnsAccessibilityRequired) {
    Scenario scenario = Scenario::defaultScenario();
    scenario.preferenceDomains["com.apple.dock"] = {{"mru-spaces", false}};
    scenario.setupServices.loginItemStatus = LoginItemStatus::enabled;
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue(queue);
    Host host(scenario, queue);
    ScopedCurrentHost current(host);
    const TessarinHealthStatusProvider provider;
    EXPECT_FALSE(provider.snapshot().needsAttention());

    auto reset = host.processes().launch(kPrivacyResetToolPath,
                                         {"reset", "Accessibility", "com.tessarin.Tessarin"});
    ASSERT_TRUE(reset);
    const auto snapshot = provider.snapshot();
    EXPECT_TRUE(snapshot.requiresAction());
    ASSERT_TRUE(snapshot.item(Id::accessibility));
    EXPECT_EQ(snapshot.item(Id::accessibility)->actionTitle, "Open");
}

} // namespace
} // namespace tessarin
