#include "Platform/Preferences/DefaultsFileLeftovers.h"

#include "Platform/Preferences/TemporaryFiles.h"

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

constexpr pid_t kEnded = 4001;
constexpr pid_t kRunning = 4002;

bool onlyRunning(pid_t pid) {
    return pid == kRunning;
}

std::string leftoverOf(pid_t pid) {
    return "defaults.json." + std::to_string(pid) + "-3-271828.tmp";
}

class DefaultsFileLeftoversTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    void make(const std::string& name) { std::ofstream(path / name) << "{\"half"; }

    bool exists(const std::string& name) const {
        return fs::exists(fs::symlink_status(path / name));
    }

    QTemporaryDir folder;
    fs::path path = folder.path().toStdString();
    fs::path file = path / "defaults.json";
};

TEST_F(DefaultsFileLeftoversTest, OnlyAnEndedWritersTemporaryFileOfThisFileIsRemoved) {
    const struct {
        const char* name;
        std::string entry;
        bool removed;
    } cases[] = {
        {"an ended writer's", leftoverOf(kEnded), true},
        {"a running writer's", leftoverOf(kRunning), false},
        {"this process's own", leftoverOf(::getpid()), false},
        {"another file's", "other.json." + std::to_string(kEnded) + "-3-1.tmp", false},
        {"not the pattern", "defaults.json.tmp", false},
        {"the file", "defaults.json", false},
    };
    for (const auto& entry : cases) {
        make(entry.entry);
    }
    const auto removed = removeDefaultsFileLeftovers(file, onlyRunning);
    EXPECT_EQ(removed, std::vector<fs::path>{path / leftoverOf(kEnded)});
    for (const auto& [name, entry, wasRemoved] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(exists(entry), !wasRemoved);
    }
}

// Something of that name that no write made (a folder, a link) is left as it is.
TEST_F(DefaultsFileLeftoversTest, WhatIsNoPlainFileIsLeftAlone) {
    fs::create_directory(path / leftoverOf(kEnded));
    make("target");
    fs::create_symlink(path / "target",
                       path / ("defaults.json." + std::to_string(kEnded) + "-4-1.tmp"));
    EXPECT_TRUE(removeDefaultsFileLeftovers(file, onlyRunning).empty());
    EXPECT_EQ(temporaryFilesIn(path).size(), 2u);
}

// A file named without a folder is in the working folder, and so are its writers' leftovers.
TEST_F(DefaultsFileLeftoversTest, AFileNamedWithoutAFolderIsLookedForInTheWorkingFolder) {
    make(leftoverOf(kEnded));
    const fs::path before = fs::current_path();
    fs::current_path(path);
    const auto removed = removeDefaultsFileLeftovers("defaults.json", onlyRunning);
    fs::current_path(before);
    EXPECT_EQ(removed, std::vector<fs::path>{leftoverOf(kEnded)});
    EXPECT_FALSE(exists(leftoverOf(kEnded)));
}

TEST_F(DefaultsFileLeftoversTest, AFolderThatIsNotThereRemovesNothing) {
    EXPECT_TRUE(
        removeDefaultsFileLeftovers(path / "missing" / "defaults.json", onlyRunning).empty());
}

TEST_F(DefaultsFileLeftoversTest, AProcessThatEndedIsNotRunning) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::_exit(0);
    }
    EXPECT_TRUE(defaultsWriterIsRunning(child)); // not waited for yet
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_FALSE(defaultsWriterIsRunning(child));
    EXPECT_TRUE(defaultsWriterIsRunning(::getpid()));
}

} // namespace
} // namespace tessarin
