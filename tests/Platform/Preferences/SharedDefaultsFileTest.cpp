#include "Platform/Preferences/DefaultsFileFormat.h"
#include "Platform/Preferences/DefaultsFileLock.h"
#include "Platform/Preferences/DefaultsFileWatcher.h"
#include "Platform/Preferences/TemporaryFiles.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Logger.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

class SharedDefaultsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        fs::create_directories(file.parent_path());
    }

    // A writer process of its own, through the product's store.
    std::unique_ptr<QProcess> startWriter(const std::string& key, int writes) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->start(TESSARIN_DEFAULTS_WRITER_PROCESS,
                       {QString::fromStdString(file.string()), QString::fromStdString(key),
                        QString::number(writes)});
        EXPECT_TRUE(process->waitForStarted(10000));
        return process;
    }

    // Waits until the writer has reported `count` writes.
    static void awaitWrites(QProcess& process, int count) {
        int seen = 0;
        while (seen < count && process.state() == QProcess::Running) {
            if (!process.canReadLine() && !process.waitForReadyRead(10000)) {
                break;
            }
            while (process.canReadLine() && seen < count) {
                process.readLine();
                ++seen;
            }
        }
    }

    QTemporaryDir folder;
    fs::path file = fs::path(folder.path().toStdString()) / "Tessarin" / "defaults.json";
    ScopedLogCapture logs;
};

TEST_F(SharedDefaultsFileTest, TwoProcessesWritingTheirOwnKeysKeepBoth) {
    UserDefaults(file).set("before", "kept");
    constexpr int kWrites = 150;
    auto a = startWriter("fromA", kWrites);
    auto b = startWriter("fromB", kWrites);
    for (auto* process : {a.get(), b.get()}) {
        ASSERT_TRUE(process->waitForFinished(120000));
        // Exit 3 would mean a write of one failed, for instance on the other's temporary file.
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    const UserDefaults reopened(file);
    EXPECT_EQ(reopened.integerValue("fromA"), kWrites);
    EXPECT_EQ(reopened.integerValue("fromB"), kWrites);
    EXPECT_EQ(reopened.stringValue("before"), "kept");
    EXPECT_TRUE(temporaryFilesIn(file.parent_path()).empty());
}

// Both killed at a random moment of their writes: the file reads back whole every time, and the
// key written before them is never lost.
TEST_F(SharedDefaultsFileTest, TheFileStaysValidWhenBothWritersAreKilledAtRandomMoments) {
    UserDefaults(file).set("before", "kept");
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> writes(1, 40);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        auto a = startWriter("fromA", 0);
        auto b = startWriter("fromB", 0);
        awaitWrites(*a, writes(random));
        awaitWrites(*b, writes(random));
        a->kill();
        b->kill();
        a->waitForFinished(10000);
        b->waitForFinished(10000);
        const auto read = readDefaultsFileText(readText(file));
        ASSERT_TRUE(read.values) << read.error;
        EXPECT_EQ(read.values->count("before"), 1u);
        EXPECT_EQ(read.values->count("fromA"), 1u);
        EXPECT_EQ(read.values->count("fromB"), 1u);
        EXPECT_FALSE(fs::exists(file.string() + ".corrupt"));
    }
}

// Two stores of one file stand for two processes: what one stored reaches the other at its
// next write or synchronize, as a change its observers hear of.
TEST_F(SharedDefaultsFileTest, AChangeStoredElsewhereReachesTheStoreAndItsObservers) {
    UserDefaults first(file);
    UserDefaults second(file);
    std::vector<std::string> heard;
    first.addObserver([&](const std::string& key) { heard.push_back(key); });
    first.set("mine", 1);
    second.set("theirs", 2);
    second.set("mine", 3);
    heard.clear();
    EXPECT_TRUE(first.synchronize());
    EXPECT_EQ(first.integerValue("theirs"), 2);
    EXPECT_EQ(first.integerValue("mine"), 3);
    EXPECT_EQ(heard, (std::vector<std::string>{"mine", "theirs"}));

    second.remove("theirs");
    heard.clear();
    first.set("own", 4); // a write takes in what the file holds too
    EXPECT_FALSE(first.contains("theirs"));
    EXPECT_EQ(heard, (std::vector<std::string>{"own", "theirs"}));
    const UserDefaults reopened(file);
    EXPECT_EQ(reopened.dictionaryRepresentation(),
              (PropertyDictionary{{"mine", int64_t{3}}, {"own", int64_t{4}}}));
}

// Watched, the store hears of another process's write without writing or synchronizing itself.
TEST_F(SharedDefaultsFileTest, AWatchedStoreTakesInAnotherProcesssWriteAtOnce) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    fs::remove_all(file.parent_path()); // made by the other process's write
    UserDefaults watched(file);
    DefaultsFileWatcher watcher(watched);
    std::vector<std::string> heard;
    watched.addObserver([&](const std::string& key) { heard.push_back(key); });
    auto other = startWriter("fromOther", 1);
    ASSERT_TRUE(other->waitForFinished(60000));
    const QDeadlineTimer deadline(20000);
    while (heard.empty() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_EQ(heard, std::vector<std::string>{"fromOther"});
    EXPECT_EQ(watched.integerValue("fromOther"), 1);
}

TEST_F(SharedDefaultsFileTest, ASynchronizeWithNothingNewElsewhereTellsNoObserver) {
    UserDefaults defaults(file);
    defaults.set("mine", 1);
    int heard = 0;
    defaults.addObserver([&](const std::string&) { ++heard; });
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(heard, 0);
}

// A writer that never lets go (a stuck process) holds up a write only for the bounded wait; the
// write is then made without the lock and the wait is said.
TEST_F(SharedDefaultsFileTest, ALockHeldElsewhereDelaysAWriteOnlyForTheBoundedWait) {
    UserDefaults defaults(file, {.lockWait = std::chrono::milliseconds(30)});
    const auto lockFile = DefaultsFileLock::lockFileFor(file);
    const int holder = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    logs.clear();
    defaults.set("answer", 42);
    ::close(holder);
    EXPECT_EQ(UserDefaults(file).integerValue("answer"), 42);
    const auto messages = logs.messages("Preferences");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("defaults.lock.unavailable file=" + file.string() +
                               " reason=another process held the lock for more than 30 ms"),
              std::string::npos)
        << messages[0];
}

TEST_F(SharedDefaultsFileTest, TwoWritersOfOneProcessTakeTurnsOnTheLock) {
    const auto lockFile = DefaultsFileLock::lockFileFor(file);
    DefaultsFileLock first(lockFile, std::chrono::milliseconds(0));
    ASSERT_TRUE(first.isHeld());
    DefaultsFileLock second(lockFile, std::chrono::milliseconds(20));
    EXPECT_FALSE(second.isHeld());
    EXPECT_EQ(lockFile.filename(), "defaults.json.lock");
}

// A replaced file keeps who may read it, though each write makes a new file.
TEST_F(SharedDefaultsFileTest, AWriteKeepsTheFilesPermissions) {
    UserDefaults defaults(file);
    defaults.set("answer", 41);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    defaults.set("answer", 42);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

} // namespace
} // namespace tessarin
