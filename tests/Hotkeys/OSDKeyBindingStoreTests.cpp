#include "HotkeyHostFixture.h"
#include "Hotkeys/OSDKeyBindingStore.h"
#include "Platform/Preferences/UserDefaults.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Action = OSDKeyBindingAction;
using StoredKeys = std::map<Action, std::string>;
using Error = OSDKeyBindingStoreError;

const OSDKeyBinding kSpace{49, 0, "Space"};
const OSDKeyBinding kEscape{53, 0, "Esc"};
const OSDKeyBinding kA{0, 0, "A"};

std::string json(const OSDKeyBinding& binding) {
    return binding.toJson().dump();
}

class OSDKeyBindingStoreTests : public ::testing::Test {
protected:
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    UserDefaults defaults;
};

TEST_F(OSDKeyBindingStoreTests, LoadsWithoutTwoActionsOnOneKey) {
    const std::string commandA = R"({"keyCode":0,"modifiers":256,"displayKey":"A"})";
    // Name, stored keys, and the bindings expected where they are not the defaults.
    // clang-format off
    const std::tuple<const char*, StoredKeys, std::map<Action, OSDKeyBinding>> rows[] = {
        {"storedKeyIsKept", {{Action::moveLeft, json(kA)}}, {{Action::moveLeft, kA}}},
        {"modifiersFallBack", {{Action::moveUp, commandA}}, {}},
        {"bothClashersFallBackOthersStay",
         {{Action::hide, json(kSpace)}, {Action::moveUp, json(kSpace)}, {Action::moveLeft, json(kA)}},
         {{Action::moveLeft, kA}}},
        {"fallbackThatClashesAgainFallsBackToo",
         {{Action::select, json(kEscape)}, {Action::hide, json(kSpace)}, {Action::moveUp, json(kSpace)}},
         {}}};
    // clang-format on
    for (const auto& [name, keys, expectedBindings] : rows) {
        UserDefaults stored;
        for (const auto& [action, text] : keys) {
            stored.set(OSDKeyBindingStore::defaultsKey(action), Data(text.begin(), text.end()));
        }
        const auto before = stored.dictionaryRepresentation();
        const OSDKeyBindingStore loaded(stored);
        for (Action action : kAllOSDKeyBindingActions) {
            const auto expected = expectedBindings.find(action);
            EXPECT_EQ(loaded.binding(action), expected != expectedBindings.end()
                                                  ? expected->second
                                                  : OSDKeyBinding::defaultBinding(action))
                << name << " " << rawValue(action);
        }
        EXPECT_EQ(stored.dictionaryRepresentation(), before) << name; // nothing written back
    }
}

TEST_F(OSDKeyBindingStoreTests, RefusesWhatWouldBreakTheKeys) {
    // clang-format off
    const std::tuple<const char*, OSDKeyBinding, Action, std::optional<Error>> rows[] = {
        {"keypadEnterOnHide", {76, 0, "x"}, Action::hide, Error::alreadyAssigned(Action::select)},
        {"emptyText", {0, 0, ""}, Action::hide, Error::unusableKey()},
        {"withCommand", {0, 0x100, "A"}, Action::hide, Error::modifiersNotAllowed()},
        {"freeKey", kA, Action::moveLeft, std::nullopt}};
    // clang-format on
    for (const auto& [name, binding, action, expected] : rows) {
        OSDKeyBindingStore bindings(defaults);
        EXPECT_EQ(bindings.setBinding(binding, action), expected) << name;
        EXPECT_EQ(bindings.revision.value(), expected ? 0 : 1) << name;
    }
}

TEST_F(OSDKeyBindingStoreTests, ANewKeyReplacesTheOldOneAndIsStoredOnce) {
    OSDKeyBindingStore bindings(defaults);
    ASSERT_EQ(bindings.setBinding(kA, Action::moveLeft), std::nullopt);
    ASSERT_EQ(bindings.setBinding(kA, Action::moveLeft), std::nullopt);
    EXPECT_EQ(bindings.revision.value(), 1);
    EXPECT_EQ(bindings.action(keyDown(0)), Action::moveLeft);
    EXPECT_EQ(bindings.action(keyDown(123)), std::nullopt);
    EXPECT_EQ(bindings.action(keyDown(0, EventFlags::maskShift)), std::nullopt);
    EXPECT_EQ(OSDKeyBindingStore(defaults).binding(Action::moveLeft), kA);
}

TEST_F(OSDKeyBindingStoreTests, ResetRemovesEveryKeyAndRaisesRevisionOnlyOnChange) {
    OSDKeyBindingStore bindings(defaults);
    bindings.resetToDefaults();
    EXPECT_EQ(bindings.revision.value(), 0);
    ASSERT_EQ(bindings.setBinding(kA, Action::moveLeft), std::nullopt);
    bindings.resetToDefaults();
    EXPECT_EQ(bindings.revision.value(), 2);
    EXPECT_TRUE(defaults.keys().empty());
    EXPECT_EQ(bindings.binding(Action::moveLeft), OSDKeyBinding::defaultBinding(Action::moveLeft));
}

TEST(OSDKeyBindingFromEventTests, PlainKeysOnlyWithKeypadEnterAsReturn) {
    EXPECT_EQ(OSDKeyBinding::from(keyDown(0, EventFlags::maskShift)), std::nullopt);
    EXPECT_EQ(OSDKeyBinding::from(keyDown(0)), kA);
    EXPECT_EQ(OSDKeyBinding::from(keyDown(76)), (OSDKeyBinding{36, 0, "\u21A9"}));
    EXPECT_EQ(OSDKeyBinding::from(keyDown(53)), kEscape);
}

} // namespace
} // namespace tessarin
