#include "UI/Health/TessarinHealthSetupStep.h"

#include "Platform/Preferences/UserDefaults.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Id = TessarinHealthCheckIdentifier;
using S = TessarinHealthCheckStatus;

TessarinHealthCheckSnapshot snapshotOf(std::vector<std::pair<Id, S>> statuses) {
    TessarinHealthCheckSnapshot snapshot;
    for (const auto& [id, status] : statuses) {
        snapshot.items.push_back({id, "t", "d", status, std::nullopt});
    }
    return snapshot;
}

// What the step is: an item's identifier, "keys" for the keyboard step, "" for none.
std::string describe(const std::optional<TessarinHealthSetupStep>& step) {
    if (!step) {
        return "";
    }
    const TessarinHealthCheckItem* item = healthItem(step);
    return item ? std::to_string(static_cast<int>(item->identifier)) : "keys";
}

TEST(TessarinHealthSetupStepTest, PicksPermissionsThenTheKeyboardStepThenRecommendations) {
    const auto all = [](S a, S s, S sep, S re, S login) {
        return snapshotOf({{Id::accessibility, a},
                           {Id::screenRecording, s},
                           {Id::separateSpaces, sep},
                           {Id::spaceAutoRearrange, re},
                           {Id::launchAtLogin, login}});
    };
    const S ok = S::passed, req = S::actionRequired, rec = S::recommended;
    // clang-format off
    struct Case { const char* name; TessarinHealthCheckSnapshot snapshot; std::set<Id> skipped;
                  bool practiceSkipped; int moves; bool practiceComplete; std::string expected; };
    const Case cases[] = {
        {"accessibility first", all(req, rec, rec, ok, ok), {}, false, 0, false, "0"},
        {"capture before keys", all(ok, rec, rec, ok, ok), {}, false, 0, false, "1"},
        {"keys after capture", all(ok, rec, rec, ok, ok), {Id::screenRecording}, false, 0, false, "keys"},
        {"capture unavailable", all(ok, S::notAvailable, rec, ok, ok), {}, false, 0, false, "keys"},
        {"keys skipped", all(ok, ok, rec, ok, ok), {}, true, 0, false, "2"},
        {"three moves", all(ok, ok, ok, rec, ok), {}, false, 3, false, "3"},
        {"two moves", all(ok, ok, ok, rec, ok), {}, false, 2, false, "keys"},
        {"complete", all(ok, ok, ok, ok, rec), {}, false, 0, true, "4"},
        {"all skipped", all(ok, ok, rec, rec, rec), {Id::separateSpaces, Id::spaceAutoRearrange, Id::launchAtLogin}, true, 0, false, ""},
        {"required not skippable", all(req, ok, ok, ok, ok), {Id::accessibility}, true, 0, false, "0"},
        {"no capture item: keys at the end", snapshotOf({{Id::accessibility, ok}, {Id::separateSpaces, rec}}), {Id::separateSpaces}, false, 0, false, "keys"},
    };
    // clang-format on
    for (const Case& c : cases) {
        UserDefaults defaults;
        defaults.set(TessarinSpacePracticeRule::skippedKey, c.practiceSkipped);
        defaults.set(TessarinSpacePracticeRule::completedMoveCountKey, int64_t{c.moves});
        const auto step = nextSetupStep(c.snapshot, c.skipped, defaults, [&] {
            return TessarinSpacePracticeState{c.practiceComplete, true};
        });
        EXPECT_EQ(describe(step), c.expected) << c.name;
    }
}

TEST(TessarinHealthSetupStepTest, AYieldedStepIsResolvedOnceItsCheckNoLongerNeedsTheUser) {
    const std::optional<TessarinHealthSetupStep> current = TessarinHealthSetupStep{
        TessarinHealthCheckItem{Id::accessibility, "", "", S::actionRequired, {}}};
    EXPECT_FALSE(
        yieldedStepResolved(current, snapshotOf({{Id::accessibility, S::actionRequired}})));
    EXPECT_TRUE(yieldedStepResolved(current, snapshotOf({{Id::accessibility, S::passed}})));
    EXPECT_TRUE(yieldedStepResolved(current, snapshotOf({{Id::screenRecording, S::recommended}})));
    EXPECT_TRUE(yieldedStepResolved(TessarinHealthSetupStep{TessarinSpacePracticeState{}},
                                    snapshotOf({{Id::accessibility, S::actionRequired}})));
}

} // namespace
} // namespace tessarin
