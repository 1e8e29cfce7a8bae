#include "Platform/Preferences/UserDefaults.h"
#include "Support/JsonNesting.h"
#include "Support/Logger.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

// `levels` arrays, each holding the next; the innermost holds one Boolean.
PropertyValue nestedArrays(std::size_t levels) {
    PropertyValue value = true;
    for (std::size_t i = 0; i < levels; ++i) {
        value = PropertyArray{std::move(value)};
    }
    return value;
}

// A settings file in a folder of its own, whose reader takes at most 4096 bytes.
class DefaultsFileLimitsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QTemporaryDir folder;
    const std::filesystem::path file = folder.filePath("defaults.json").toStdString();
    UserDefaultsFileHooks hooks = [] {
        UserDefaultsFileHooks small;
        small.maximumFileBytes = 4096;
        return small;
    }();
    ScopedLogCapture logs;
};

// Whatever the store accepts must survive a restart: a value the reader refused would get the
// whole file, and every other setting, moved aside at the next start.
TEST_F(DefaultsFileLimitsTest, WhatTheStoreAcceptsReadsBackAfterARestart) {
    const PropertyValue deepest =
        nestedArrays(kMaxJsonNesting - 1); // the Boolean is the last level
    const std::string notUtf8 = "caf\xC3";
    {
        UserDefaults defaults(file);
        defaults.set("kept", 1);
        defaults.set("deepest", deepest);
        defaults.set("tooDeep", nestedArrays(kMaxJsonNesting));
        defaults.replaceAll(
            {{"kept", 1}, {"deepest", deepest}, {"alsoTooDeep", nestedArrays(400)}});
        defaults.set("text", notUtf8);
    }
    UserDefaults reloaded(file);
    EXPECT_TRUE(reloaded.isPersisting());
    EXPECT_EQ(reloaded.integerValue("kept"), 1);
    EXPECT_EQ(reloaded.object("deepest"), deepest);
    EXPECT_FALSE(reloaded.contains("tooDeep"));
    EXPECT_FALSE(reloaded.contains("alsoTooDeep"));
    EXPECT_TRUE(reloaded.contains("text"));
}

// The store never writes a file its reader would refuse as too large: the last byte fits and
// reads back, one more is refused and the value before stays.
TEST_F(DefaultsFileLimitsTest, AFileAtTheSizeBoundReadsBackAndOneByteMoreIsRefused) {
    UserDefaults defaults(file, hooks);
    defaults.set("text", "");
    const std::size_t room = hooks.maximumFileBytes - std::filesystem::file_size(file);
    defaults.set("text", std::string(room, 'x'));
    ASSERT_EQ(std::filesystem::file_size(file), hooks.maximumFileBytes);
    defaults.set("text", std::string(room + 1, 'y'));
    defaults.replaceAll({{"text", std::string(room + 1, 'z')}});
    EXPECT_EQ(defaults.stringValue("text"), std::string(room, 'x'));
    UserDefaults reloaded(file, hooks);
    EXPECT_TRUE(reloaded.isPersisting());
    EXPECT_EQ(reloaded.stringValue("text"), std::string(room, 'x'));
    EXPECT_EQ(logs.messages("Preferences"),
              (std::vector<std::string>{
                  "defaults.set.refused key=text reason=the file would be larger than 4096 bytes",
                  "defaults.set.refused key=* reason=the file would be larger than 4096 bytes"}));
}

// A new key refused as too large is no change of this store's: the same key, stored by another
// process meanwhile, stays when this store writes its next change.
TEST_F(DefaultsFileLimitsTest, ARefusedNewKeyLeavesTheKeyStoredElsewhereAlone) {
    UserDefaults defaults(file, hooks);
    defaults.set("text", std::string(hooks.maximumFileBytes, 'x'));
    UserDefaults(file, hooks).set("text", "theirs");
    defaults.set("other", 1);
    EXPECT_EQ(UserDefaults(file, hooks).stringValue("text"), "theirs");
    EXPECT_EQ(defaults.stringValue("text"), "theirs");
}

} // namespace
} // namespace tessarin
