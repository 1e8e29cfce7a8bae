#include "Platform/Preferences/DefaultsFileFormat.h"
#include "Platform/Preferences/DefaultsFileLock.h"
#include "Platform/Preferences/DefaultsFileWatcher.h"
#include "Platform/Preferences/TemporaryFiles.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Logger.h"
#include "TestApplication.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

constexpr std::chrono::milliseconds kPatience{20000};

std::string readText(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

// How long a waiting write waits before it says so, and how long a store going away waits.
UserDefaultsFileHooks waiting(std::optional<std::chrono::milliseconds> beforeSaying,
                              std::optional<std::chrono::milliseconds> atQuit) {
    UserDefaultsFileHooks hooks;
    hooks.lockWait = beforeSaying.value_or(hooks.lockWait);
    hooks.finalWait = atQuit.value_or(hooks.finalWait);
    return hooks;
}

// Whether every thread of `pid` has stopped. A stop signal only asks: each thread stops when it
// next runs, which on a loaded machine can be many milliseconds after kill() returned.
bool allThreadsStopped(pid_t pid) {
    std::error_code error;
    const fs::path tasks = "/proc/" + std::to_string(pid) + "/task";
    bool any = false;
    for (const auto& task : fs::directory_iterator(tasks, error)) {
        // "<tid> (<name>) <state> ...": the name may hold spaces, so the state follows the last
        // ')'.
        const std::string stat = readText(task.path() / "stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos || close + 2 >= stat.size() || stat[close + 2] != 'T') {
            return false;
        }
        any = true;
    }
    return any && !error;
}

bool stopAndAwait(pid_t pid) {
    if (::kill(pid, SIGSTOP) != 0) {
        return false;
    }
    const QDeadlineTimer deadline(20000);
    while (!allThreadsStopped(pid)) {
        if (deadline.hasExpired()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

class SharedDefaultsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        fs::create_directories(file.parent_path());
    }

    // A writer process of its own, through the product's store.
    std::unique_ptr<QProcess> startWriter(const std::string& key, int writes,
                                          const QStringList& options = {},
                                          std::optional<fs::path> name = std::nullopt) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->start(TESSARIN_DEFAULTS_WRITER_PROCESS,
                       QStringList{QString::fromStdString(name.value_or(file).string()),
                                   QString::fromStdString(key), QString::number(writes)} +
                           options);
        EXPECT_TRUE(process->waitForStarted(10000));
        return process;
    }

    // A process that takes the file's lock and keeps it until its input is closed.
    std::unique_ptr<QProcess> startLockHolder() {
        auto process = std::make_unique<QProcess>();
        process->start(TESSARIN_DEFAULTS_WRITER_PROCESS,
                       {"--hold-lock", QString::fromStdString(file.string())});
        EXPECT_TRUE(process->waitForStarted(10000));
        EXPECT_TRUE(process->waitForReadyRead(20000));
        EXPECT_EQ(process->readLine().trimmed().toStdString(), "held");
        return process;
    }

    bool logged(const std::string& text) const {
        const auto messages = logs.messages("Preferences");
        return std::any_of(messages.begin(), messages.end(), [&](const std::string& message) {
            return message.find(text) != std::string::npos;
        });
    }

    // Waits until a line holding `text` is logged.
    bool awaitLog(const std::string& text) {
        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired()) {
            if (logged(text)) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
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
        auto a = startWriter("fromA", 0, {"--stored"});
        auto b = startWriter("fromB", 0, {"--stored"});
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
    // What a kill cut short is gone once the file is opened again.
    const UserDefaults reopened(file);
    EXPECT_EQ(temporaryFilesIn(file.parent_path()), std::vector<std::string>{});
}

// Two stores of one file stand for two processes: what one stored reaches the other at its
// next write or synchronize, as a change its observers hear of.
TEST_F(SharedDefaultsFileTest, AChangeStoredElsewhereReachesTheStoreAndItsObservers) {
    UserDefaults first(file);
    UserDefaults second(file);
    std::vector<std::string> heard;
    first.addObserver([&](const std::string& key) { heard.push_back(key); });
    first.set("mine", 1);
    ASSERT_TRUE(first.flush(kPatience));
    second.set("theirs", 2);
    second.set("mine", 3);
    ASSERT_TRUE(second.flush(kPatience));
    heard.clear();
    EXPECT_TRUE(first.synchronize());
    EXPECT_EQ(first.integerValue("theirs"), 2);
    EXPECT_EQ(first.integerValue("mine"), 3);
    EXPECT_EQ(heard, (std::vector<std::string>{"mine", "theirs"}));

    second.remove("theirs");
    ASSERT_TRUE(second.flush(kPatience));
    heard.clear();
    first.set("own", 4); // a write takes in what the file holds too
    ASSERT_TRUE(first.flush(kPatience));
    EXPECT_FALSE(first.contains("theirs"));
    EXPECT_TRUE(first.synchronize()); // and tells of it here
    EXPECT_EQ(heard, (std::vector<std::string>{"own", "theirs"}));
    const UserDefaults reopened(file);
    EXPECT_EQ(reopened.dictionaryRepresentation(),
              (PropertyDictionary{{"mine", int64_t{3}}, {"own", int64_t{4}}}));
}

// Watched, the store hears of another process's write without writing or synchronizing itself.
TEST_F(SharedDefaultsFileTest, AWatchedStoreTakesInAnotherProcesssWriteAtOnce) {
    // The suite's one application: one made and dropped here would leave a later test none.
    testing::ensureTestApplication();
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
    ASSERT_TRUE(defaults.flush(kPatience));
    int heard = 0;
    defaults.addObserver([&](const std::string&) { ++heard; });
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(heard, 0);
}

// A writer that holds the lock and hangs: the change waits, the thread that made it does not,
// nothing is written without the lock, and the change is written once the lock is let go.
TEST_F(SharedDefaultsFileTest, ALockHeldByAHungProcessLeavesTheChangePendingUntilItIsLetGo) {
    UserDefaults(file).set("before", "kept");
    auto holder = startLockHolder();
    UserDefaults defaults(file, waiting(std::chrono::milliseconds(30), {}));
    logs.clear();
    const auto started = std::chrono::steady_clock::now();
    defaults.set("answer", 42);
    EXPECT_FALSE(defaults.synchronize());
    // The holder never lets go by itself: a set that waited for it would not be back yet.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(defaults.integerValue("answer"), 42);
    ASSERT_TRUE(awaitLog("defaults.lock.waiting file=" + file.string()));
    EXPECT_FALSE(UserDefaults(file).contains("answer"));

    holder->closeWriteChannel(); // lets go
    ASSERT_TRUE(holder->waitForFinished(20000));
    ASSERT_TRUE(awaitLog("defaults.lock.taken file=" + file.string()));
    EXPECT_TRUE(defaults.flush(kPatience));
    const UserDefaults reopened(file);
    EXPECT_EQ(reopened.integerValue("answer"), 42);
    EXPECT_EQ(reopened.stringValue("before"), "kept");
    for (const auto& message : logs.messages("Preferences")) {
        EXPECT_EQ(message.find("without the lock"), std::string::npos) << message;
    }
}

// At quit a store waits a bounded time for its waiting write, then says that it was not made.
TEST_F(SharedDefaultsFileTest, AStoreGoingAwayWhileTheLockIsHeldSaysItsChangeWasNotWritten) {
    auto holder = startLockHolder();
    logs.clear();
    const auto started = std::chrono::steady_clock::now();
    {
        UserDefaults defaults(file, waiting({}, std::chrono::milliseconds(100)));
        defaults.set("answer", 42);
        defaults.set("question", 6);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_TRUE(logged("defaults.write.abandoned file=" + file.string() +
                       " keys=2 reason=another process held the lock for more than "
                       "100 ms"));
    holder->closeWriteChannel();
    ASSERT_TRUE(holder->waitForFinished(20000));
    EXPECT_FALSE(UserDefaults(file).contains("answer"));
}

// A change that waited for the lock and then turns out too large for the file is refused as
// one made without a wait would be: logged, and the store goes back to what the file holds.
TEST_F(SharedDefaultsFileTest, AWaitingChangeTooLargeForTheFileIsRefusedOnceTheLockIsFree) {
    UserDefaultsFileHooks hooks;
    hooks.maximumFileBytes = 4096;
    UserDefaults(file, hooks).set("text", "kept");
    auto holder = startLockHolder();
    UserDefaults defaults(file, hooks);
    logs.clear();
    defaults.set("text", std::string(hooks.maximumFileBytes, 'x'));
    holder->closeWriteChannel();
    ASSERT_TRUE(holder->waitForFinished(20000));
    EXPECT_TRUE(defaults.flush(std::chrono::milliseconds(20000)));
    EXPECT_EQ(defaults.stringValue("text"), "kept");
    EXPECT_TRUE(logged("defaults.set.refused key=text reason=the file would be larger than 4096 "
                       "bytes"));
    EXPECT_EQ(UserDefaults(file, hooks).stringValue("text"), "kept");
}

// Changes that waited together for the lock are written together, except one that would make
// the file too large: it alone is refused, with its own reason.
TEST_F(SharedDefaultsFileTest, ASmallChangeThatWaitedBesideATooLargeOneIsWritten) {
    UserDefaultsFileHooks hooks;
    hooks.maximumFileBytes = 4096;
    UserDefaults(file, hooks).set("text", "kept");
    auto holder = startLockHolder();
    UserDefaults defaults(file, hooks);
    logs.clear();
    defaults.set("small", 1);
    defaults.set("text", std::string(hooks.maximumFileBytes, 'x'));
    holder->closeWriteChannel();
    ASSERT_TRUE(holder->waitForFinished(20000));
    EXPECT_TRUE(defaults.flush(kPatience));
    const UserDefaults reopened(file, hooks);
    EXPECT_EQ(reopened.integerValue("small"), 1);
    EXPECT_EQ(reopened.stringValue("text"), "kept");
    EXPECT_EQ(defaults.stringValue("text"), "kept");
    std::vector<std::string> refusals;
    for (const auto& message : logs.messages("Preferences")) {
        if (message.find("defaults.set.refused") != std::string::npos) {
            refusals.push_back(message);
        }
    }
    EXPECT_EQ(refusals, std::vector<std::string>{"defaults.set.refused key=text reason=the file "
                                                 "would be larger than 4096 bytes"});
}

TEST_F(SharedDefaultsFileTest, AStoreGoingAwayWritesAChangeWhoseLockIsLetGoInTime) {
    auto holder = startLockHolder();
    logs.clear();
    {
        UserDefaults defaults(file, waiting({}, std::chrono::milliseconds(60000)));
        defaults.set("answer", 42);
        holder->closeWriteChannel(); // lets go while the store waits to go
    }
    EXPECT_EQ(UserDefaults(file).integerValue("answer"), 42);
    EXPECT_FALSE(logged("defaults.write.abandoned"));
    ASSERT_TRUE(holder->waitForFinished(20000));
}

// What the store's thread took in from the file while it wrote reaches the observers at the
// next synchronize, on the thread that synchronizes.
TEST_F(SharedDefaultsFileTest, KeysTheWaitingWriteTookInAreToldAtTheNextSynchronize) {
    UserDefaults defaults(file);
    UserDefaults(file).set("theirs", 2); // another process, after this store read the file
    auto holder = startLockHolder();
    std::vector<std::string> heard;
    defaults.addObserver([&](const std::string& key) { heard.push_back(key); });
    defaults.set("mine", 1);
    EXPECT_EQ(heard, std::vector<std::string>{"mine"});
    holder->closeWriteChannel();
    ASSERT_TRUE(holder->waitForFinished(20000));
    ASSERT_TRUE(defaults.flush(std::chrono::milliseconds(20000)));
    EXPECT_EQ(heard, std::vector<std::string>{"mine"}); // not on the store's thread
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(heard, (std::vector<std::string>{"mine", "theirs"}));
    EXPECT_EQ(defaults.integerValue("theirs"), 2);
}

// Each process writes a large key once and then a counter back to back: every key of both is in
// the file after every round, and no write is made without the lock.
TEST_F(SharedDefaultsFileTest, TwoSteadyWritersKeepEveryKeyInEveryRound) {
    constexpr int kRounds = 3;
    constexpr int kWrites = 150;
    const QStringList steady{"--big", QString::number(2 * 1024 * 1024)};
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        fs::remove(file);
        auto a = startWriter("fromA", kWrites, steady);
        auto b = startWriter("fromB", kWrites, steady);
        for (auto* process : {a.get(), b.get()}) {
            ASSERT_TRUE(process->waitForFinished(120000));
            EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        }
        const UserDefaults reopened(file);
        EXPECT_EQ(reopened.integerValue("fromA"), kWrites);
        EXPECT_EQ(reopened.integerValue("fromB"), kWrites);
        EXPECT_EQ(reopened.stringValue("fromA.big").value_or("").size(), 2u * 1024 * 1024);
        EXPECT_EQ(reopened.stringValue("fromB.big").value_or("").size(), 2u * 1024 * 1024);
    }
}

// How far each other writer got between two writes of one writer, from its "--seen" lines: the
// most, over every writer and every pair of its writes.
int mostWritesBetweenTwoOfOne(std::vector<std::unique_ptr<QProcess>>& writers) {
    int most = 0;
    for (auto& process : writers) {
        std::map<std::string, long> before;
        const QStringList lines =
            QString::fromUtf8(process->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        for (const QString& line : lines) {
            std::map<std::string, long> seen;
            for (const QString& entry : line.split(' ').mid(2)) {
                const auto parts = entry.split('=');
                seen[parts.value(0).toStdString()] = parts.value(1).toLong();
            }
            for (const auto& [key, count] : seen) {
                if (before.count(key) > 0) {
                    most = std::max(most, static_cast<int>(count - before[key]));
                }
            }
            before = std::move(seen);
        }
    }
    return most;
}

// Writers writing back to back, however many, are served in turn: one that has just written
// queues behind those waiting, so between two writes of one writer each other writes about
// once (a line that let a writer that just wrote come back first let others write dozens of
// times meanwhile).
TEST_F(SharedDefaultsFileTest, ManySteadyWritersAreServedInTurn) {
    constexpr int kWrites = 40;
    for (const int count : {8, 16}) {
        SCOPED_TRACE(std::to_string(count) + " writers");
        fs::remove(file);
        std::vector<std::unique_ptr<QProcess>> writers;
        for (int n = 0; n < count; ++n) {
            writers.push_back(
                startWriter("w" + std::to_string(n), kWrites, {"--stored", "--seen"}));
        }
        for (const auto& process : writers) {
            ASSERT_TRUE(process->waitForFinished(240000));
            EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        }
        // Room for a writer slow to come back to the line on a loaded machine.
        EXPECT_LE(mostWritesBetweenTwoOfOne(writers), 6);
        const UserDefaults reopened(file);
        for (int n = 0; n < count; ++n) {
            EXPECT_EQ(reopened.integerValue("w" + std::to_string(n)), kWrites);
        }
    }
}

// A writer stopped (SIGSTOP) while it waits in line keeps no one else waiting once the lock is
// free: the next one passes over it, and it writes in its turn once it goes on (SIGCONT).
TEST_F(SharedDefaultsFileTest, AWriterStoppedInLineKeepsNoOneWaiting) {
    auto holder = startLockHolder();
    auto stopped = startWriter("stopped", 1);
    const QDeadlineTimer inLine(20000);
    QByteArray said;
    while (!said.contains("defaults.lock.waiting") && !inLine.hasExpired()) {
        stopped->waitForReadyRead(100);
        said += stopped->readAllStandardError();
    }
    ASSERT_TRUE(said.contains("defaults.lock.waiting")) << said.toStdString();
    ASSERT_TRUE(stopAndAwait(static_cast<pid_t>(stopped->processId())));
    auto next = startWriter("next", 1, {"--stored"});
    holder->closeWriteChannel();
    ASSERT_TRUE(holder->waitForFinished(20000));
    EXPECT_TRUE(next->waitForFinished(60000)) << "kept waiting behind the stopped writer";
    EXPECT_EQ(next->exitCode(), 0);
    EXPECT_EQ(UserDefaults(file).integerValue("next"), 1);
    ::kill(static_cast<pid_t>(stopped->processId()), SIGCONT);
    ASSERT_TRUE(stopped->waitForFinished(60000));
    EXPECT_EQ(stopped->exitCode(), 0);
    EXPECT_EQ(UserDefaults(file).integerValue("stopped"), 1);
}

// The file reached as itself, through a link to it, through a linked folder and through a path
// that goes up and down again: one lock for all four.
TEST_F(SharedDefaultsFileTest, FourWritersThroughFourNamesOfOneFileKeepEveryKey) {
    constexpr int kKeys = 100;
    const fs::path folderPath = file.parent_path();
    fs::create_symlink(file, folderPath / "link.json");
    fs::create_directory_symlink(folderPath, folderPath.parent_path() / "linked");
    const fs::path names[] = {file, folderPath / "link.json",
                              folderPath.parent_path() / "linked" / file.filename(),
                              folderPath / ".." / folderPath.filename() / file.filename()};
    std::vector<std::unique_ptr<QProcess>> writers;
    for (std::size_t n = 0; n < std::size(names); ++n) {
        writers.push_back(startWriter("writer" + std::to_string(n), kKeys, {"--keys"}, names[n]));
    }
    for (const auto& process : writers) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    const UserDefaults reopened(file);
    EXPECT_EQ(reopened.keys().size(), std::size(names) * kKeys);
    for (std::size_t n = 0; n < std::size(names); ++n) {
        for (int key = 1; key <= kKeys; ++key) {
            const std::string name = "writer" + std::to_string(n) + "-" + std::to_string(key);
            EXPECT_EQ(reopened.integerValue(name), key) << name;
        }
    }
    EXPECT_TRUE(fs::is_symlink(folderPath / "link.json"));
}

// A write cut short by a kill leaves its temporary file. It is removed under the lock, where no
// writer has a write under way: at the start when the lock is free, else at the first write.
// Whatever its pid says (a writer in another pid namespace may seem alive), and only it.
TEST_F(SharedDefaultsFileTest, TheTemporaryFilesOfKilledWritersAreRemovedUnderTheLock) {
    auto ended = startWriter("ended", 1);
    const auto endedPid = ended->processId();
    ASSERT_TRUE(ended->waitForFinished(60000));
    const auto leftover = [&](qint64 pid) {
        return file.filename().string() + "." + std::to_string(pid) + "-0-1.tmp";
    };
    const std::string otherFiles = "other.json." + std::to_string(endedPid) + "-0-1.tmp";
    const auto plant = [&](const std::vector<std::string>& names) {
        for (const auto& name : names) {
            std::ofstream(file.parent_path() / name) << "{\"half";
        }
    };
    // A pid that runs: this test's own parent, standing for a live pid of another namespace.
    const std::string seemsAlive = leftover(::getppid());
    plant({leftover(endedPid), seemsAlive, otherFiles});
    {
        const UserDefaults started(file); // the lock is free
        EXPECT_EQ(temporaryFilesIn(file.parent_path()), std::vector<std::string>{otherFiles});
    }
    plant({leftover(endedPid), seemsAlive});
    auto holder = startLockHolder();
    UserDefaults started(file);
    EXPECT_EQ(temporaryFilesIn(file.parent_path()).size(), 3u); // held: not now
    started.set("after", 1);
    holder->closeWriteChannel();
    ASSERT_TRUE(holder->waitForFinished(20000));
    ASSERT_TRUE(started.flush(kPatience));
    EXPECT_EQ(temporaryFilesIn(file.parent_path()), std::vector<std::string>{otherFiles});
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
    ASSERT_TRUE(defaults.flush(kPatience));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    defaults.set("answer", 42);
    ASSERT_TRUE(defaults.flush(kPatience));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

} // namespace
} // namespace tessarin
