#include "Platform/Program/RunningCopy.h"

#include "Support/Logger.h"
#include "TestApplication.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class RunningCopyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // Asks from another thread, as another process would, while this thread's loop answers.
    bool askFromElsewhere(const RunningCopy& asking, std::chrono::milliseconds wait) {
        auto answered = std::async(std::launch::async,
                                   [&asking, wait] { return asking.askToComeForward(wait); });
        while (answered.wait_for(10ms) != std::future_status::ready) {
            QCoreApplication::processEvents();
        }
        return answered.get();
    }

    // A child process as another user: it runs `prepare`, says it is ready, then `serve`s until
    // it is stopped.
    pid_t asAnotherUser(
        const std::function<bool()>& prepare,
        const std::function<void()>& serve = [] { ::pause(); }) {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlives a test that failed half-way
            ::close(ready[0]);
            if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 || !prepare()) {
                ::_exit(3);
            }
            (void)::write(ready[1], "x", 1);
            for (;;) {
                serve();
            }
        }
        ::close(ready[1]);
        char byte = 0;
        EXPECT_EQ(::read(ready[0], &byte, 1), 1) << "the other user's process did not start";
        ::close(ready[0]);
        return child;
    }
    // The name of the settings file's lock, found without claiming it.
    fs::path lockName() const {
        const ScopedLogCapture quiet;
        return RunningCopy(settings, {}, runtime / "missing").lockFile().filename();
    }
    static void stop(pid_t child) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }

    static constexpr uid_t kNobody = 65534;
    // The suite's one application: one made and dropped by each test would leave a later test
    // of the suite none.
    const bool hasApplication = (testing::ensureTestApplication(), true);
    QTemporaryDir folder;
    fs::path runtime = fs::path(folder.path().toStdString()) / "run";
    fs::path settings = fs::path(folder.path().toStdString()) / "config" / "defaults.json";
};

TEST_F(RunningCopyTest, ASecondStartFindsTheFirstAndBringsItForward) {
    fs::create_directories(runtime);
    int reopened = 0;
    RunningCopy first(
        settings, [&] { ++reopened; }, runtime);
    ASSERT_EQ(first.claim(), RunningCopy::Claim::claimed);
    RunningCopy second(
        settings, [] {}, runtime);
    ASSERT_EQ(second.claim(), RunningCopy::Claim::heldElsewhere);
    EXPECT_TRUE(askFromElsewhere(second, 10s));
    EXPECT_EQ(reopened, 1);
    EXPECT_TRUE(askFromElsewhere(second, 10s));
    EXPECT_EQ(reopened, 2);
}

TEST_F(RunningCopyTest, OtherSettingsFilesRunSideBySide) {
    fs::create_directories(runtime);
    RunningCopy first(settings, {}, runtime);
    RunningCopy other(settings.parent_path() / "other.json", {}, runtime);
    EXPECT_EQ(first.claim(), RunningCopy::Claim::claimed);
    EXPECT_EQ(other.claim(), RunningCopy::Claim::claimed);
    EXPECT_NE(first.lockFile(), other.lockFile());
}

TEST_F(RunningCopyTest, TheSameFileNamedAnotherWayIsTheSameClaim) {
    fs::create_directories(runtime);
    fs::create_directories(settings.parent_path());
    fs::create_directory_symlink(settings.parent_path(),
                                 settings.parent_path().parent_path() / "link");
    RunningCopy first(settings, {}, runtime);
    const RunningCopy throughLink(
        settings.parent_path().parent_path() / "link" / "." / settings.filename(), {}, runtime);
    EXPECT_EQ(throughLink.claim(), RunningCopy::Claim::heldElsewhere);
}

// A copy that ended, even by a crash, leaves nothing that blocks the next start.
TEST_F(RunningCopyTest, AnEndedCopyLeavesTheFileFree) {
    fs::create_directories(runtime);
    fs::path socket;
    {
        RunningCopy ended(settings, {}, runtime);
        socket = ended.socketFile();
    }
    std::ofstream(socket) << "left by a crashed copy";
    int reopened = 0;
    RunningCopy next(
        settings, [&] { ++reopened; }, runtime);
    EXPECT_EQ(next.claim(), RunningCopy::Claim::claimed);
    const RunningCopy asking(settings, {}, runtime);
    EXPECT_TRUE(askFromElsewhere(asking, 10s));
    EXPECT_EQ(reopened, 1);
}

TEST_F(RunningCopyTest, ACopyThatNeverAnswersIsGivenUpOnAfterTheWait) {
    fs::create_directories(runtime);
    RunningCopy first(settings, {}, runtime);
    const RunningCopy second(settings, {}, runtime);
    fs::remove(first.socketFile()); // listening nowhere
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(askFromElsewhere(second, 300ms));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

// A stopped copy whose listen queue is full: a blocking connect would wait until the copy went
// on, past any deadline; the start gives up when its wait is over.
TEST_F(RunningCopyTest, ACopyWhoseQueueIsFullIsGivenUpOnAfterTheWait) {
    fs::create_directories(runtime);
    RunningCopy first(settings, {}, runtime);
    const RunningCopy second(settings, {}, runtime);
    fs::remove(first.socketFile());
    const int stopped = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, first.socketFile().c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(stopped, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(stopped, 0), 0); // and never accepts
    std::vector<int> waiting;
    for (int n = 0; n < 64; ++n) {
        const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        waiting.push_back(client);
        if (::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            break; // the queue is full
        }
    }
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(second.askToComeForward(300ms));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    for (const int fd : waiting) {
        ::close(fd);
    }
    ::close(stopped);
}

// A run that never claims (a snapshot run) can still tell whether a copy holds the file, and
// its look takes nothing: the copy's lock and a later claim are untouched.
TEST_F(RunningCopyTest, WhetherACopyRunsIsToldWithoutClaiming) {
    fs::create_directories(runtime);
    EXPECT_FALSE(RunningCopy::runsElsewhere(settings, runtime));
    {
        RunningCopy first(settings, {}, runtime);
        ASSERT_EQ(first.claim(), RunningCopy::Claim::claimed);
        EXPECT_TRUE(RunningCopy::runsElsewhere(settings, runtime));
    }
    EXPECT_FALSE(RunningCopy::runsElsewhere(settings, runtime));
    const RunningCopy later(settings, {}, runtime);
    EXPECT_EQ(later.claim(), RunningCopy::Claim::claimed);
}

TEST_F(RunningCopyTest, WithoutAFolderForTheLockTheStartRuns) {
    const RunningCopy copy(settings, {}, runtime / "missing");
    EXPECT_EQ(copy.claim(), RunningCopy::Claim::unguarded);
}

// Where the guard cannot work the start runs, and one line says why.
TEST_F(RunningCopyTest, AGuardThatCannotWorkSaysSoInOneLineAndTheStartRuns) {
    struct Case {
        const char* name;
        // Puts something in the way of a copy whose lock and socket are named `lock`, `socket`.
        std::function<void(const fs::path& lock, const fs::path& socket)> before;
        const char* doubt;
    };
    const Case cases[] = {
        {"the lock is a link",
         [](const fs::path& lock, const fs::path&) {
             fs::create_symlink(lock.parent_path() / "elsewhere", lock);
         },
         "the lock is a link"},
        {"a folder at the lock",
         [](const fs::path& lock, const fs::path&) { fs::create_directory(lock); },
         "the lock cannot be opened: Is a directory"},
        {"a folder at the socket",
         [](const fs::path&, const fs::path& socket) { fs::create_directory(socket); },
         "a folder sits at the socket path"},
        {"a FIFO at the lock",
         [](const fs::path& lock, const fs::path&) { ::mkfifo(lock.c_str(), 0600); },
         "the lock is no regular file"},
    };
    for (const Case& c : cases) {
        QTemporaryDir each;
        const fs::path folder(each.path().toStdString());
        const fs::path name = lockName().stem();
        c.before(folder / (name.string() + ".lock"), folder / (name.string() + ".socket"));
        ScopedLogCapture logs;
        const auto started = std::chrono::steady_clock::now();
        const RunningCopy copy(settings, {}, folder);
        EXPECT_LT(std::chrono::steady_clock::now() - started, 1s) << c.name;
        EXPECT_EQ(copy.claim(), RunningCopy::Claim::unguarded) << c.name;
        EXPECT_EQ(copy.doubt(), c.doubt) << c.name;
        const auto lines = logs.messages("RunningCopy");
        ASSERT_EQ(lines.size(), 1u) << c.name;
        EXPECT_EQ(lines[0].rfind("runningCopy.unguarded settingsFile=", 0), 0u) << lines[0];
    }
}

TEST_F(RunningCopyTest, ASocketPathTooLongForTheSystemTurnsTheGuardOff) {
    const fs::path deep = runtime / std::string(100, 'd');
    fs::create_directories(deep);
    const RunningCopy copy(settings, {}, deep);
    EXPECT_EQ(copy.claim(), RunningCopy::Claim::unguarded);
    EXPECT_EQ(copy.doubt(), "the socket path is longer than 107 bytes");
}

// In a folder others can write, another user's lock, however open and however held, is not
// the user's running copy.
TEST_F(RunningCopyTest, ALockOfAnotherUserIsNeverTrusted) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "only the superuser can be another user";
    }
    for (const mode_t mode : {0666, 0644, 0600}) {
        QTemporaryDir each;
        const fs::path shared(each.path().toStdString());
        ::chmod(shared.c_str(), 01777);
        const fs::path lock = shared / lockName();
        const pid_t holder = asAnotherUser([&lock, mode] {
            const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT, mode);
            return fd >= 0 && ::fchmod(fd, mode) == 0 && ::flock(fd, LOCK_EX) == 0;
        });
        const auto started = std::chrono::steady_clock::now();
        const RunningCopy copy(settings, {}, shared);
        EXPECT_EQ(copy.claim(), RunningCopy::Claim::unguarded) << std::oct << mode;
        EXPECT_EQ(copy.doubt(), "the lock belongs to user 65534");
        EXPECT_FALSE(copy.askToComeForward(100ms));
        EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
        stop(holder);
    }
}

// Only the user's own processes speak for the user's running copy.
TEST_F(RunningCopyTest, AnAnswerFromAnotherUserIsNotBelieved) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "only the superuser can be another user";
    }
    fs::create_directories(runtime);
    ::chmod(folder.path().toStdString().c_str(), 0755);
    ::chmod(runtime.c_str(), 01777);
    RunningCopy first(settings, {}, runtime);
    ASSERT_EQ(first.claim(), RunningCopy::Claim::claimed);
    const RunningCopy second(settings, {}, runtime);
    const fs::path socketFile = first.socketFile();
    // Says "forward" to whoever asks at `listening`.
    int listening = -1;
    const auto answerEveryone = [&listening] {
        const int connection = ::accept(listening, nullptr, nullptr);
        char bytes[64];
        (void)::read(connection, bytes, sizeof bytes);
        (void)::write(connection, "forward\n", 8);
        ::close(connection);
    };
    // A socket bound at the socket path, open to everyone; the system names whoever calls
    // `listen` as the process at its other end.
    const auto bindAt = [&socketFile] {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketFile.c_str(), sizeof address.sun_path - 1);
        ::unlink(socketFile.c_str());
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            return -1;
        }
        ::chmod(socketFile.c_str(), 0666);
        return fd;
    };
    {
        // Its socket file: the other user's.
        fs::remove(socketFile);
        const pid_t impostor = asAnotherUser(
            [&] {
                listening = bindAt();
                return listening >= 0 && ::listen(listening, 8) == 0;
            },
            answerEveryone);
        EXPECT_FALSE(askFromElsewhere(second, 2s));
        stop(impostor);
    }
    {
        // The user's socket file, but another user's process at its other end.
        listening = bindAt();
        ASSERT_GE(listening, 0);
        const pid_t impostor =
            asAnotherUser([&] { return ::listen(listening, 8) == 0; }, answerEveryone);
        ::close(listening);
        const auto started = std::chrono::steady_clock::now();
        EXPECT_FALSE(askFromElsewhere(second, 2s));
        EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
        stop(impostor);
    }
}

// A process of the user's that opens more connections than the copy has descriptors neither
// ends the copy's listening nor leaves later starts unanswered.
TEST_F(RunningCopyTest, AFloodOfConnectionsLeavesTheCopyAnswering) {
    fs::create_directories(runtime);
    int reopened = 0;
    RunningCopy first(
        settings, [&] { ++reopened; }, runtime);
    ASSERT_EQ(first.claim(), RunningCopy::Claim::claimed);
    const RunningCopy second(settings, {}, runtime);
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
    const int lowestFree = ::dup(0);
    ::close(lowestFree);
    rlimit tight = before;
    tight.rlim_cur = static_cast<rlim_t>(lowestFree + 32);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    int done[2];
    ASSERT_EQ(::pipe(done), 0);
    const pid_t flood = ::fork();
    if (flood == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::close(done[0]);
        ::setrlimit(RLIMIT_NOFILE, &before); // only the copy runs short
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, first.socketFile().c_str(), sizeof address.sun_path - 1);
        for (int i = 0; i < 200; ++i) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            (void)::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        }
        (void)::write(done[1], "x", 1);
        ::pause();
    }
    ::close(done[1]);
    char byte = 0;
    ASSERT_EQ(::read(done[0], &byte, 1), 1);
    ::close(done[0]);
    const auto until = std::chrono::steady_clock::now() + 300ms;
    while (std::chrono::steady_clock::now() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    ::kill(flood, SIGKILL);
    ::waitpid(flood, nullptr, 0);
    ::setrlimit(RLIMIT_NOFILE, &before);
    EXPECT_TRUE(fs::exists(fs::symlink_status(first.socketFile())));
    EXPECT_TRUE(askFromElsewhere(second, 10s));
    EXPECT_EQ(reopened, 1);
}

} // namespace
} // namespace tessarin
