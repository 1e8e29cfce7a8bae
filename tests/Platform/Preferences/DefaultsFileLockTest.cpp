#include "Platform/Preferences/DefaultsFileLock.h"

#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

class DefaultsFileLockTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    std::unique_ptr<DefaultsFileLock> writer() {
        return std::make_unique<DefaultsFileLock>(lockFile);
    }

    QTemporaryDir folder;
    fs::path lockFile =
        DefaultsFileLock::lockFileFor(fs::path(folder.path().toStdString()) / "defaults.json");
};

TEST_F(DefaultsFileLockTest, TheLockFileSitsBesideTheFile) {
    EXPECT_EQ(DefaultsFileLock::lockFileFor("/home/u/.config/Tessarin/defaults.json"),
              fs::path("/home/u/.config/Tessarin/defaults.json.lock"));
}

// A holder that lets go and comes straight back finds the writer that waited first in line.
TEST_F(DefaultsFileLockTest, AWriterThatWaitedTakesTheLockBeforeItsHolderTakesItAgain) {
    auto holder = writer();
    ASSERT_TRUE(holder->acquire(milliseconds(0)));
    auto waiting = writer();
    EXPECT_FALSE(waiting->acquire(milliseconds(0)));
    EXPECT_TRUE(waiting->isWaiting());
    holder.reset(); // lets go
    auto back = writer();
    EXPECT_FALSE(back->acquire(milliseconds(0)));
    EXPECT_TRUE(back->isWaiting());
    EXPECT_TRUE(waiting->acquire(milliseconds(0)));
    waiting.reset();
    EXPECT_TRUE(back->acquire(milliseconds(0)));
}

// The place in line outlives a wait that ran out, so a writer retrying in short waits is not
// passed by one that came later.
TEST_F(DefaultsFileLockTest, APlaceInLineIsKeptAcrossWaitsThatRunOut) {
    auto holder = writer();
    ASSERT_TRUE(holder->acquire(milliseconds(0)));
    auto first = writer();
    auto later = writer();
    EXPECT_FALSE(first->acquire(milliseconds(5)));
    EXPECT_FALSE(later->acquire(milliseconds(5)));
    EXPECT_FALSE(first->acquire(milliseconds(5)));
    holder.reset();
    EXPECT_FALSE(later->acquire(milliseconds(0)));
    EXPECT_TRUE(first->acquire(milliseconds(0)));
    EXPECT_TRUE(first->problem().empty());
}

TEST_F(DefaultsFileLockTest, AWaitThatRunsOutSaysHowLong) {
    auto holder = writer();
    ASSERT_TRUE(holder->acquire(milliseconds(0)));
    DefaultsFileLock waiting(lockFile, milliseconds(20));
    EXPECT_FALSE(waiting.isHeld());
    EXPECT_EQ(waiting.problem(), "another process held the lock for more than 20 ms");
}

// Nothing to wait for: the caller hears why at once, and is not told to wait.
TEST_F(DefaultsFileLockTest, ALockFileThatCannotBeOpenedIsAProblemNotAWait) {
    const struct {
        const char* name;
        fs::path lockFile;
    } cases[] = {
        {"missing folder", lockFile.parent_path() / "missing" / "defaults.json.lock"},
        {"a folder in its place", lockFile},
        {"a link in its place", lockFile.parent_path() / "linked.json.lock"},
    };
    fs::create_directory(lockFile);
    fs::create_symlink(lockFile.parent_path() / "elsewhere", cases[2].lockFile);
    for (const auto& [name, path] : cases) {
        SCOPED_TRACE(name);
        DefaultsFileLock lock(path);
        EXPECT_FALSE(lock.acquire(milliseconds(20)));
        EXPECT_FALSE(lock.isWaiting());
        EXPECT_TRUE(lock.isUnusable());
        EXPECT_NE(lock.problem().find("the lock file cannot be opened"), std::string::npos)
            << lock.problem();
    }
    EXPECT_FALSE(fs::exists(lockFile.parent_path() / "elsewhere"));
}

// Writers in line, in one process or many, take the lock in the order they came, however many
// there are; one that lets go and comes straight back is served after all of them.
TEST_F(DefaultsFileLockTest, WritersAreServedInTheOrderTheyCame) {
    for (const std::size_t count : {2u, 8u, 16u}) {
        SCOPED_TRACE(std::to_string(count) + " writers");
        auto holder = writer();
        ASSERT_TRUE(holder->acquire(milliseconds(0)));
        std::vector<std::unique_ptr<DefaultsFileLock>> line;
        for (std::size_t n = 0; n < count; ++n) {
            line.push_back(writer());
            EXPECT_FALSE(line.back()->acquire(milliseconds(0)));
        }
        holder.reset();
        auto back = writer(); // the holder, back at once
        for (std::size_t served = 0; served < count; ++served) {
            EXPECT_FALSE(back->acquire(milliseconds(0)));
            // Everyone behind the first asks first: none of them gets it.
            for (std::size_t n = count; n-- > served + 1;) {
                EXPECT_FALSE(line[n]->acquire(milliseconds(0))) << "writer " << n;
            }
            EXPECT_TRUE(line[served]->acquire(milliseconds(0))) << "writer " << served;
            line[served].reset();
        }
        EXPECT_TRUE(back->acquire(milliseconds(0)));
    }
}

// A waiter that leaves the line (its process killed) frees it at once; one that stays in line
// but never takes its turn (stopped) is passed over once the lock has been free for a while.
TEST_F(DefaultsFileLockTest, AWaiterThatLeftOrStoppedKeepsNoOneWaiting) {
    auto holder = writer();
    ASSERT_TRUE(holder->acquire(milliseconds(0)));
    auto killed = writer();
    auto stopped = writer();
    auto next = writer();
    auto last = writer();
    for (auto* waiter : {killed.get(), stopped.get(), next.get(), last.get()}) {
        EXPECT_FALSE(waiter->acquire(milliseconds(0)));
    }
    holder.reset();
    killed.reset();
    next->setPassOverAfter(milliseconds(0));
    // Free, with the stopped waiter first: the next one passes over it, and the one behind,
    // which has waited less than its patience, passes over no one.
    EXPECT_FALSE(last->acquire(milliseconds(0)));
    EXPECT_TRUE(next->acquire(milliseconds(50)));
    next.reset();
    EXPECT_TRUE(last->acquire(milliseconds(0)));
    last.reset();
    // Woken again, the passed-over waiter still takes the lock when it is free.
    EXPECT_TRUE(stopped->acquire(milliseconds(0)));
}

// A waiter stopped while it draws its ticket or passes over another holds the line's counters
// (the lock file's first 16 bytes: the next ticket, then the floor) as well as its ticket. Held
// past the pass-over time, the others go on without them, each with a ticket of its own, and still
// pass over the stopped one.
TEST_F(DefaultsFileLockTest, AWaiterStoppedHoldingTheCountersKeepsNoOneWaiting) {
    auto holder = writer();
    ASSERT_TRUE(holder->acquire(milliseconds(0)));
    auto stopped = writer();
    EXPECT_FALSE(stopped->acquire(milliseconds(0)));
    const int counters = ::open(lockFile.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(counters, 0);
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_len = 16;
    ASSERT_EQ(::fcntl(counters, F_OFD_SETLK, &range), 0);
    // And once it goes on, it writes the next ticket it read, a ticket already given (the
    // stopped one's own, 1).
    const uint64_t olderCount = 1;
    ASSERT_EQ(::pwrite(counters, &olderCount, sizeof olderCount, 0), 8);
    auto first = writer();
    auto second = writer();
    for (auto* waiter : {first.get(), second.get()}) {
        waiter->setPassOverAfter(milliseconds(20));
        EXPECT_FALSE(waiter->acquire(milliseconds(60)));
        EXPECT_TRUE(waiter->isWaiting()) << waiter->problem();
    }
    holder.reset();
    EXPECT_TRUE(first->acquire(milliseconds(2000))) << first->problem();
    EXPECT_FALSE(second->acquire(milliseconds(0))) << "took the lock while another held it";
    first.reset();
    EXPECT_TRUE(second->acquire(milliseconds(2000))) << second->problem();
    ::close(counters);
}

// Another user who opened the lock while it was still open to others (an older program left it
// 0644) holds it as long as they like, though it is the user's alone now: a wait for it gives it
// up as unusable, naming that user, rather than wait for ever. A holder of the user's own is
// waited for (the tests above).
TEST_F(DefaultsFileLockTest, ALockAnotherUserHoldsIsUnusable) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the superuser can be another user";
    }
    { DefaultsFileLock made(lockFile); }
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        const int held = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
        if (held < 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0 ||
            ::flock(held, LOCK_SH) != 0) {
            ::_exit(1);
        }
        (void)!::write(ready[1], "h", 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    auto waiter = writer();
    EXPECT_FALSE(waiter->acquire(milliseconds(50)));
    EXPECT_TRUE(waiter->isUnusable());
    EXPECT_FALSE(waiter->isWaiting());
    EXPECT_EQ(waiter->problem(), "the lock is held by a process of user 65534");
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
}

// While the lock is held, a waiter never passes over the ones before it, however long it waits.
TEST_F(DefaultsFileLockTest, NoWaiterPassesOverAnotherWhileTheLockIsHeld) {
    auto holder = writer();
    ASSERT_TRUE(holder->acquire(milliseconds(0)));
    auto first = writer();
    auto second = writer();
    second->setPassOverAfter(milliseconds(20));
    EXPECT_FALSE(first->acquire(milliseconds(0)));
    EXPECT_FALSE(second->acquire(milliseconds(40)));
    holder.reset();
    EXPECT_FALSE(second->acquire(milliseconds(0)));
    EXPECT_TRUE(first->acquire(milliseconds(0)));
}

// No other user may open the lock, or they could hold it for as long as they like.
TEST_F(DefaultsFileLockTest, TheLockFileIsTheUsersAlone) {
    {
        DefaultsFileLock made(lockFile);
        EXPECT_EQ(fs::status(lockFile).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write);
    }
    fs::permissions(lockFile, fs::perms::owner_read | fs::perms::owner_write |
                                  fs::perms::group_read | fs::perms::others_read);
    DefaultsFileLock found(lockFile);
    EXPECT_FALSE(found.isUnusable());
    EXPECT_EQ(fs::status(lockFile).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(lockFile.c_str(), 65534, 65534), 0);
        DefaultsFileLock theirs(lockFile);
        EXPECT_TRUE(theirs.isUnusable());
        EXPECT_EQ(theirs.problem(), "the lock file belongs to user 65534");
    }
}

} // namespace
} // namespace tessarin
