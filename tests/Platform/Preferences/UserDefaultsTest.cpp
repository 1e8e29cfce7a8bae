#include "Platform/Preferences/UserDefaults.h"

#include "FifoInPlace.h"
#include "Platform/Preferences/TemporaryFiles.h"
#include "Support/Json.h"
#include "Support/Logger.h"
#include "Support/TerminationSignals.h"
#include "Support/Text.h"

#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

void writeText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

// Waits for the store's thread to write what changed; true once the file holds it.
bool written(UserDefaults& defaults) {
    return defaults.flush(std::chrono::seconds(20));
}

class UserDefaultsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QTemporaryDir folder; // removed with everything in it, whatever the test's outcome
    fs::path file = fs::path(folder.path().toStdString()) / "Preferences" / "defaults.json";
    std::string aside = file.string() + ".corrupt";
    ScopedLogCapture logs;
};

TEST_F(UserDefaultsTest, EveryTypeAndRemovalSurviveARestart) {
    // clang-format off
    const PropertyDictionary everyType = {{"bool", true}, {"integer", int64_t{-7}}, {"double", 3.0},
        {"string", "Ünïcode"}, {"data", Data{0, 1, 2, 255}}, {"array", PropertyArray{"a", 2}},
        {"dictionary", PropertyDictionary{{"inner", PropertyArray{false}}}}};
    // clang-format on
    {
        UserDefaults defaults(file);
        for (const auto& [key, value] : everyType) {
            defaults.set(key, value);
        }
        defaults.set("gone", 2);
        defaults.remove("gone");
    }
    UserDefaults reopened(file);
    EXPECT_EQ(reopened.dictionaryRepresentation(), everyType);
    EXPECT_TRUE(reopened.isPersisting());
}

// The file is replaced whole through a temporary one, so a failed write leaves the last good one.
TEST_F(UserDefaultsTest, FailedWritesKeepThePreviousFileAndRetryOnSynchronize) {
    bool failing = false;
    auto halfWrite = [&](std::size_t size) { return failing ? size / 2 : size; };
    auto refusingRename = [&](const fs::path& from, const fs::path& to) {
        std::error_code error;
        return !failing && (fs::rename(from, to, error), !error);
    };
    const std::pair<const char*, UserDefaultsFileHooks> cases[] = {
        {"write broken off half way", {.rename = {}, .writableBytes = halfWrite}},
        {"rename refused", {.rename = refusingRename, .writableBytes = {}}},
    };
    for (const auto& [name, hooks] : cases) {
        SCOPED_TRACE(name);
        failing = false;
        logs.clear();
        UserDefaults defaults(file, hooks);
        defaults.set("answer", 41);
        ASSERT_TRUE(written(defaults));
        const std::string previous = readText(file);
        failing = true;
        defaults.set("answer", 42);
        EXPECT_FALSE(written(defaults));
        EXPECT_EQ(readText(file), previous);
        EXPECT_EQ(temporaryFilesIn(file.parent_path()), std::vector<std::string>{});
        EXPECT_EQ(defaults.integerValue("answer"), 42); // the running program keeps its value
        EXPECT_FALSE(defaults.synchronize());
        EXPECT_FALSE(logs.messages("Preferences").empty());
        failing = false;
        defaults.synchronize();
        EXPECT_TRUE(written(defaults));
        EXPECT_TRUE(defaults.synchronize());
        EXPECT_EQ(UserDefaults(file).integerValue("answer"), 42);
    }
}

TEST_F(UserDefaultsTest, StaleTemporaryFileIsIgnoredAndReplaced) {
    UserDefaults(file).set("name", "saved");
    writeText(file.string() + ".tmp", "{\"name\": {\"string\": \"half wri");
    UserDefaults(file).set("other", 1);
    UserDefaults reopened(file);
    EXPECT_EQ(reopened.stringValue("name"), "saved");
    EXPECT_EQ(reopened.integerValue("other"), 1);
    EXPECT_FALSE(fs::exists(aside));
}

std::string repeated(const std::string& text, std::size_t count) {
    std::string result;
    for (std::size_t i = 0; i < count; ++i) {
        result += text;
    }
    return result;
}

// A file that cannot be read is moved aside at every start; one that crashed the load instead
// would crash every start.
TEST_F(UserDefaultsTest, UnreadableFileIsMovedAsideAndTheStoreStartsEmpty) {
    const std::pair<const char*, std::string> cases[] = {
        {"not json", "{\"a\": "},
        {"empty file", ""},
        {"not an object", "[1, 2]"},
        {"untagged value", "{\"a\": 1}"},
        {"stray and control bytes", "\xff\x01\x1b[2J"},
        {"tagged arrays 5000 deep", "{\"k\": " + repeated("{\"array\": [", 5000) +
                                        "{\"bool\": true}" + repeated("]}", 5000) + "}"},
        {"well formed but larger than the bound",
         "{\"k\": {\"string\": \"" + std::string(kMaxJsonFileBytes, 'x') + "\"}}"},
    };
    for (const auto& [name, contents] : cases) {
        SCOPED_TRACE(name);
        fs::remove_all(file.parent_path());
        logs.clear();
        writeText(file, contents);

        UserDefaults defaults(file);
        EXPECT_TRUE(defaults.keys().empty());
        EXPECT_EQ(readText(aside), contents);
        const auto messages = logs.messages("Preferences");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("movedTo=" + aside), std::string::npos);
        EXPECT_EQ(escapingUnprintable(messages[0]), messages[0]) << "quotes raw bytes";

        defaults.set("fresh", true);
        ASSERT_TRUE(written(defaults));
        EXPECT_EQ(UserDefaults(file).boolValue("fresh"), true);
        EXPECT_EQ(readText(aside), contents);
    }
}

TEST_F(UserDefaultsTest, ADirectoryInPlaceOfTheFileIsSaidToBeOne) {
    fs::create_directories(file);
    UserDefaults defaults(file);
    const auto messages = logs.messages("Preferences");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(" reason=is a directory movedTo="), std::string::npos);
    EXPECT_TRUE(fs::is_directory(aside));
    defaults.set("fresh", true);
    ASSERT_TRUE(written(defaults));
    EXPECT_EQ(UserDefaults(file).boolValue("fresh"), true);
}

// Opening a FIFO for reading would hold the start until some writer came: it is moved aside
// unopened, as any file that cannot be read.
TEST_F(UserDefaultsTest, AFifoInPlaceOfTheFileIsMovedAsideUnopened) {
    fs::create_directories(file.parent_path());
    const FifoInPlace fifo(file);
    ASSERT_TRUE(fifo.made());
    UserDefaults defaults(file);
    EXPECT_FALSE(fifo.heldAReader());
    const auto messages = logs.messages("Preferences");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(" reason=is not a regular file movedTo="), std::string::npos)
        << messages[0];
    EXPECT_TRUE(fs::is_fifo(aside));
    defaults.set("fresh", true);
    ASSERT_TRUE(written(defaults));
    EXPECT_EQ(UserDefaults(file).boolValue("fresh"), true);
}

// The rename that puts a write in place would replace a file made read-only: it is left as it
// is, the failure is logged, and the value is written once the file may be written again.
TEST_F(UserDefaultsTest, AReadOnlyFileInAWritableFolderIsLeftAsItIs) {
    UserDefaults(file).set("answer", 41);
    const std::string previous = readText(file);
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(file, readOnly);
    logs.clear();
    UserDefaults defaults(file);
    defaults.set("answer", 42);
    EXPECT_FALSE(written(defaults));
    EXPECT_EQ(readText(file), previous);
    EXPECT_EQ(fs::status(file).permissions(), readOnly);
    EXPECT_EQ(temporaryFilesIn(file.parent_path()), std::vector<std::string>{});
    EXPECT_EQ(defaults.integerValue("answer"), 42); // the running program keeps its value
    EXPECT_FALSE(defaults.synchronize());
    const auto messages = logs.messages("Preferences");
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(messages[0].find("defaults.write.failed file=" + file.string() +
                               " reason=the file is read-only"),
              std::string::npos)
        << messages[0];
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    defaults.synchronize();
    EXPECT_TRUE(written(defaults));
    EXPECT_EQ(UserDefaults(file).integerValue("answer"), 42);
}

// A large value (the Spaces configuration holds every Space) is read many times a second: a
// read shares the stored value instead of copying it, and a later write leaves it as it was.
TEST_F(UserDefaultsTest, AReadSharesTheStoredValueAndAWriteReplacesIt) {
    UserDefaults defaults;
    defaults.set("large", PropertyArray(1000, PropertyValue("Space")));
    const auto first = defaults.sharedObject("large");
    ASSERT_TRUE(first);
    EXPECT_EQ(defaults.sharedObject("large").get(), first.get());
    EXPECT_EQ(first->array()->size(), 1000u);
    defaults.set("large", PropertyArray{"one"});
    EXPECT_NE(defaults.sharedObject("large").get(), first.get());
    EXPECT_EQ(first->array()->size(), 1000u);
    EXPECT_EQ(defaults.arrayValue("large"), PropertyArray{"one"});
    EXPECT_EQ(defaults.sharedObject("absent"), nullptr);
}

// The store's thread writes a change at once, so a run that a signal cuts short loses nothing.
TEST_F(UserDefaultsTest, ASettingSurvivesATerminationThatCutsTheRunShort) {
    EXPECT_EXIT(
        {
            UserDefaults defaults(file);
            defaults.set("kept", int64_t{7});
            TerminationSignals signals(std::chrono::milliseconds(1000));
            std::raise(SIGTERM);
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (std::chrono::steady_clock::now() < until) {
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(128 + SIGTERM), "");
    EXPECT_EQ(UserDefaults(file).integerValue("kept"), 7);
}

TEST_F(UserDefaultsTest, EarlierCorruptCopyIsNotOverwritten) {
    writeText(aside, "first");
    writeText(file, "second");
    UserDefaults defaults(file);
    EXPECT_EQ(readText(aside), "first");
    EXPECT_EQ(readText(aside + ".2"), "second");
}

TEST_F(UserDefaultsTest, CorruptFileThatCannotBeMovedIsNeverOverwritten) {
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

TEST_F(UserDefaultsTest, ObserversHearOncePerChange) {
    UserDefaults defaults(file);
    std::vector<std::string> heard;
    std::optional<int64_t> seen;
    UserDefaultsObserverToken token;
    token = defaults.addObserver([&](const std::string& key) {
        heard.push_back(key);
        seen = defaults.integerValue("a");
        if (key == "b") { // an observer may write and unsubscribe while hearing
            defaults.set("derived", 1);
            defaults.removeObserver(token);
        }
    });
    defaults.set("a", 1);
    EXPECT_EQ(seen, 1);
    defaults.set("a", 1); // the same value again is still a write
    defaults.remove("a");
    defaults.remove("missing"); // nothing written
    defaults.set("b", "x");
    defaults.set("c", 1);
    EXPECT_EQ(heard, (std::vector<std::string>{"a", "a", "a", "b", "derived"}));
}

TEST_F(UserDefaultsTest, ReplaceAllWritesOnceAndReportsChangedKeys) {
    UserDefaults defaults(file);
    defaults.replaceAll({{"same", 1}, {"changed", 1}, {"dropped", 1}});
    std::vector<std::string> heard;
    defaults.addObserver([&](const std::string& key) { heard.push_back(key); });
    defaults.replaceAll({{"same", 1}, {"changed", 2}, {"added", 3}});
    EXPECT_EQ(heard, (std::vector<std::string>{"added", "changed", "dropped"}));
    ASSERT_TRUE(written(defaults));
    EXPECT_EQ(UserDefaults(file).dictionaryRepresentation(),
              (PropertyDictionary{{"same", 1}, {"changed", 2}, {"added", 3}}));
}

} // namespace
} // namespace tessarin
