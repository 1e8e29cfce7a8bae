#include "Platform/Preferences/UserDefaults.h"

#include "Support/Logger.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

class TemporaryFolder {
public:
    TemporaryFolder() {
        static std::atomic<int> counter{0};
        path_ = fs::temp_directory_path() / ("tessarin-defaults-" + std::to_string(::getpid()) +
                                             "-" + std::to_string(counter++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::string readText(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

void writeText(const fs::path& file, const std::string& text) {
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream << text;
}

class UserDefaultsTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
    fs::path file = folder.path() / "Preferences" / "com.tessarin.Tessarin.json";
    ScopedLogCapture logs;
};

PropertyDictionary everyType() {
    return {
        {"bool", true},
        {"integer", int64_t{-7}},
        {"double", 3.0},
        {"string", "Ünïcode"},
        {"data", Data{0, 1, 2, 255}},
        {"array", PropertyArray{"a", 2}},
        {"dictionary", PropertyDictionary{{"inner", PropertyArray{false}}}},
    };
}

TEST_F(UserDefaultsTest, EveryTypeSurvivesARestartAsItself) {
    {
        UserDefaults defaults(file);
        for (const auto& [key, value] : everyType()) {
            defaults.set(key, value);
        }
    }
    UserDefaults reopened(file);
    EXPECT_EQ(reopened.dictionaryRepresentation(), everyType());
    EXPECT_EQ(reopened.boolValue("bool"), true);
    EXPECT_EQ(reopened.integerValue("integer"), -7);
    EXPECT_TRUE(reopened.object("double")->isDouble());
    EXPECT_EQ(reopened.dataValue("data"), (Data{0, 1, 2, 255}));
    EXPECT_TRUE(reopened.isPersisting());
}

TEST_F(UserDefaultsTest, RemovalSurvivesARestart) {
    {
        UserDefaults defaults(file);
        defaults.set("kept", 1);
        defaults.set("gone", 2);
        defaults.remove("gone");
    }
    UserDefaults reopened(file);
    EXPECT_EQ(reopened.keys(), (std::vector<std::string>{"kept"}));
}

struct TypedReadCase {
    const char* name;
    PropertyValue stored;
    bool asBool;
    bool asInteger;
    bool asDouble;
    bool asString;
};

TEST_F(UserDefaultsTest, TypedReadsArePresentOnlyForTheStoredType) {
    const std::vector<TypedReadCase> cases = {
        {"bool", true, true, false, false, false},
        {"integer", 5, false, true, true, false},
        {"integral double", 5.0, false, true, true, false},
        {"fractional double", 5.5, false, false, true, false},
        {"string", "5", false, false, false, true},
    };
    UserDefaults defaults;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        defaults.set("k", c.stored);
        EXPECT_EQ(defaults.boolValue("k").has_value(), c.asBool);
        EXPECT_EQ(defaults.integerValue("k").has_value(), c.asInteger);
        EXPECT_EQ(defaults.doubleValue("k").has_value(), c.asDouble);
        EXPECT_EQ(defaults.stringValue("k").has_value(), c.asString);
    }
    EXPECT_FALSE(defaults.boolValue("missing"));
}

TEST_F(UserDefaultsTest, WriteBrokenOffHalfWayKeepsThePreviousFile) {
    bool breakWrites = false;
    UserDefaultsFileHooks hooks;
    hooks.writableBytes = [&](std::size_t size) { return breakWrites ? size / 2 : size; };
    UserDefaults defaults(file, hooks);
    defaults.set("answer", 41);
    const std::string previous = readText(file);

    breakWrites = true;
    defaults.set("answer", 42);
    EXPECT_EQ(readText(file), previous);
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
    EXPECT_EQ(defaults.integerValue("answer"), 42); // the running program keeps its value
    EXPECT_FALSE(defaults.synchronize());
    EXPECT_EQ(UserDefaults(file).integerValue("answer"), 41);
    EXPECT_FALSE(logs.messages("Preferences").empty());

    breakWrites = false;
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(UserDefaults(file).integerValue("answer"), 42);
}

TEST_F(UserDefaultsTest, FailedRenameKeepsThePreviousFile) {
    bool failRename = false;
    UserDefaultsFileHooks hooks;
    hooks.rename = [&](const fs::path& from, const fs::path& to) {
        if (failRename) {
            return false;
        }
        std::error_code error;
        fs::rename(from, to, error);
        return !error;
    };
    UserDefaults defaults(file, hooks);
    defaults.set("name", "before");
    failRename = true;
    defaults.set("name", "after");
    EXPECT_EQ(UserDefaults(file).stringValue("name"), "before");
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
}

TEST_F(UserDefaultsTest, StaleTemporaryFileIsIgnoredAndReplaced) {
    {
        UserDefaults defaults(file);
        defaults.set("name", "saved");
    }
    writeText(file.string() + ".tmp", "{\"name\": {\"string\": \"half wri");
    UserDefaults defaults(file);
    EXPECT_EQ(defaults.stringValue("name"), "saved");
    defaults.set("other", 1);
    UserDefaults reopened(file);
    EXPECT_EQ(reopened.stringValue("name"), "saved");
    EXPECT_EQ(reopened.integerValue("other"), 1);
    EXPECT_FALSE(fs::exists(file.string() + ".corrupt"));
}

struct CorruptCase {
    const char* name;
    const char* contents;
};

TEST_F(UserDefaultsTest, UnreadableFileIsMovedAsideAndTheStoreStartsEmpty) {
    const std::vector<CorruptCase> cases = {
        {"not json", "{\"a\": "},
        {"empty file", ""},
        {"not an object", "[1, 2]"},
        {"untagged value", "{\"a\": 1}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(file.parent_path());
        fs::create_directories(file.parent_path());
        logs.clear();
        writeText(file, c.contents);

        UserDefaults defaults(file);
        EXPECT_TRUE(defaults.keys().empty());
        EXPECT_FALSE(fs::exists(file));
        EXPECT_EQ(readText(file.string() + ".corrupt"), c.contents);
        auto messages = logs.messages("Preferences");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("movedTo=" + file.string() + ".corrupt"), std::string::npos);

        defaults.set("fresh", true);
        EXPECT_EQ(UserDefaults(file).boolValue("fresh"), true);
        EXPECT_EQ(readText(file.string() + ".corrupt"), c.contents);
    }
}

TEST_F(UserDefaultsTest, EarlierCorruptCopyIsNotOverwritten) {
    fs::create_directories(file.parent_path());
    writeText(file.string() + ".corrupt", "first");
    writeText(file, "second");
    UserDefaults defaults(file);
    EXPECT_EQ(readText(file.string() + ".corrupt"), "first");
    EXPECT_EQ(readText(file.string() + ".corrupt.2"), "second");
}

TEST_F(UserDefaultsTest, CorruptFileThatCannotBeMovedIsNeverOverwritten) {
    fs::create_directories(file.parent_path());
    writeText(file, "garbage");
    UserDefaultsFileHooks hooks;
    hooks.rename = [](const fs::path&, const fs::path&) { return false; };
    UserDefaults defaults(file, hooks);
    EXPECT_FALSE(defaults.isPersisting());
    defaults.set("a", 1);
    EXPECT_EQ(defaults.integerValue("a"), 1);
    EXPECT_EQ(readText(file), "garbage");
    EXPECT_FALSE(defaults.synchronize());
}

TEST_F(UserDefaultsTest, ObserversHearOncePerWrite) {
    UserDefaults defaults;
    std::vector<std::string> heard;
    auto token = defaults.addObserver([&](const std::string& key) { heard.push_back(key); });
    defaults.set("a", 1);
    defaults.set("a", 1); // the same value again is still a write
    defaults.set("b", "x");
    defaults.remove("a");
    defaults.remove("missing"); // nothing written
    EXPECT_EQ(heard, (std::vector<std::string>{"a", "a", "b", "a"}));

    defaults.removeObserver(token);
    defaults.set("c", 1);
    EXPECT_EQ(heard.size(), 4u);
}

TEST_F(UserDefaultsTest, ObserverHearsTheWriteAlreadyStored) {
    UserDefaults defaults(file);
    std::optional<int64_t> seenInMemory;
    std::optional<int64_t> seenOnDisk;
    defaults.addObserver([&](const std::string&) {
        seenInMemory = defaults.integerValue("k");
        seenOnDisk = UserDefaults(file).integerValue("k");
    });
    defaults.set("k", 9);
    EXPECT_EQ(seenInMemory, 9);
    EXPECT_EQ(seenOnDisk, 9);
}

TEST_F(UserDefaultsTest, ObserverMayWriteAndUnsubscribeWhileHearing) {
    UserDefaults defaults;
    std::vector<std::string> heard;
    UserDefaultsObserverToken token;
    token = defaults.addObserver([&](const std::string& key) {
        heard.push_back(key);
        if (key == "a") {
            defaults.set("derived", 1);
            defaults.removeObserver(token);
        }
    });
    defaults.set("a", 1);
    defaults.set("b", 1);
    EXPECT_EQ(heard, (std::vector<std::string>{"a", "derived"}));
    EXPECT_EQ(defaults.integerValue("derived"), 1);
}

TEST_F(UserDefaultsTest, ReplaceAllWritesOnceAndReportsChangedKeys) {
    UserDefaults defaults(file);
    defaults.set("same", 1);
    defaults.set("changed", 1);
    defaults.set("dropped", 1);
    std::vector<std::string> heard;
    defaults.addObserver([&](const std::string& key) { heard.push_back(key); });
    defaults.replaceAll({{"same", 1}, {"changed", 2}, {"added", 3}});
    EXPECT_EQ(heard, (std::vector<std::string>{"added", "changed", "dropped"}));
    EXPECT_EQ(UserDefaults(file).dictionaryRepresentation(),
              (PropertyDictionary{{"same", 1}, {"changed", 2}, {"added", 3}}));
}

TEST_F(UserDefaultsTest, InMemoryStoreWritesNoFile) {
    UserDefaults defaults;
    defaults.set("a", 1);
    EXPECT_FALSE(defaults.file());
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

} // namespace
} // namespace tessarin
