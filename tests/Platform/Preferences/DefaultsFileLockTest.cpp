#include "Platform/Preferences/DefaultsFileLock.h"

#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

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
        EXPECT_NE(lock.problem().find("the lock file cannot be opened"), std::string::npos)
            << lock.problem();
    }
    EXPECT_FALSE(fs::exists(lockFile.parent_path() / "elsewhere"));
}

} // namespace
} // namespace tessarin
