#include "Platform/Preferences/DefaultsFileFormat.h"
#include "Platform/Preferences/DefaultsFileMerge.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/JsonNesting.h"
#include "Support/Logger.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr std::chrono::milliseconds kPatience{20000};

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
    ASSERT_TRUE(defaults.flush(kPatience));
    const std::size_t room = hooks.maximumFileBytes - std::filesystem::file_size(file);
    defaults.set("text", std::string(room, 'x'));
    ASSERT_TRUE(defaults.flush(kPatience));
    ASSERT_EQ(std::filesystem::file_size(file), hooks.maximumFileBytes);
    defaults.set("text", std::string(room + 1, 'y'));
    EXPECT_TRUE(defaults.flush(kPatience)); // the file holds what the store holds again
    defaults.replaceAll({{"text", std::string(room + 1, 'z')}});
    EXPECT_TRUE(defaults.flush(kPatience));
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
    ASSERT_TRUE(defaults.flush(kPatience));
    UserDefaults(file, hooks).set("text", "theirs");
    defaults.set("other", 1);
    ASSERT_TRUE(defaults.flush(kPatience));
    EXPECT_EQ(UserDefaults(file, hooks).stringValue("text"), "theirs");
    EXPECT_EQ(defaults.stringValue("text"), "theirs");
}

// Only a change that would push the file past its bound is refused, whatever was made beside
// it, and the changes go on smallest first.
TEST(DefaultsFileMergeTest, OnlyTheChangeThatWouldMakeTheFileTooLargeIsRefused) {
    const PropertyDictionary stored{{"kept", "file"}, {"gone", 1}};
    const auto big = [](std::size_t size) { return PropertyValue(std::string(size, 'x')); };
    const struct {
        const char* name;
        std::vector<DefaultsChange> changes;
        std::vector<std::string> refused;
        PropertyDictionary values;
    } cases[] = {
        {"all fit", {{"small", 1}, {"gone", std::nullopt}}, {}, {{"kept", "file"}, {"small", 1}}},
        {"a small change beside a too large one",
         {{"small", 1}, {"huge", big(5000)}},
         {"huge"},
         {{"kept", "file"}, {"gone", 1}, {"small", 1}}},
        {"the large one made first",
         {{"huge", big(5000)}, {"small", 1}},
         {"huge"},
         {{"kept", "file"}, {"gone", 1}, {"small", 1}}},
        {"two that fit alone but not together",
         {{"a", big(2500)}, {"b", big(3000)}},
         {"b"},
         {{"kept", "file"}, {"gone", 1}, {"a", big(2500)}}},
        {"a removal beside a too large one",
         {{"gone", std::nullopt}, {"kept", big(5000)}},
         {"kept"},
         {{"kept", "file"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DefaultsFileMerge merge = mergeDefaultsChanges(stored, c.changes, 4096);
        EXPECT_EQ(merge.refused, c.refused);
        EXPECT_EQ(merge.values, c.values);
        EXPECT_LE(merge.text.size(), 4096u);
        EXPECT_EQ(readDefaultsFileText(merge.text).values, c.values);
    }
}

} // namespace
} // namespace tessarin
