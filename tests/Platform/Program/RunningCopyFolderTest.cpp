#include "Platform/Program/RunningCopyFolder.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Without a runtime folder the guard lives in a folder of the user's own in the shared
// temporary folder, where anyone could have put something first.
TEST(RunningCopyFolder, ThePrivateFolderIsTheUsersOwnOrTheGuardIsOff) {
    struct Case {
        const char* name;
        // Puts something at `mine`, the private folder's path, before the guard looks.
        std::function<void(const fs::path& mine, const fs::path& temporary)> before;
        const char* doubt;
        bool onlyAsSuperuser = false;
    };
    const Case cases[] = {
        {"nothing there yet", [](const fs::path&, const fs::path&) {}, ""},
        {"made before by the user",
         [](const fs::path& mine, const fs::path&) { ::mkdir(mine.c_str(), 0700); }, ""},
        {"open to others",
         [](const fs::path& mine, const fs::path&) {
             ::mkdir(mine.c_str(), 0700);
             ::chmod(mine.c_str(), 0777);
         },
         "is not private (mode 0777)"},
        {"a link to the user's folder",
         [](const fs::path& mine, const fs::path& temporary) {
             ::mkdir((temporary / "elsewhere").c_str(), 0700);
             fs::create_directory_symlink(temporary / "elsewhere", mine);
         },
         "is a link"},
        {"a file", [](const fs::path& mine, const fs::path&) { std::ofstream(mine) << "taken"; },
         "is no folder"},
        {"another user's",
         [](const fs::path& mine, const fs::path&) {
             ::mkdir(mine.c_str(), 0700);
             ASSERT_EQ(::chown(mine.c_str(), kNobody, kNobody), 0);
         },
         "belongs to user 65534", true},
    };
    for (const Case& c : cases) {
        if (c.onlyAsSuperuser && ::getuid() != 0) {
            continue; // no other user's folder can be made
        }
        QTemporaryDir temporary;
        const fs::path folder(temporary.path().toStdString());
        const fs::path mine = folder / ("tessarin-" + std::to_string(::getuid()));
        c.before(mine, folder);
        const RunningCopyFolder found = RunningCopyFolder::find(std::nullopt, folder, ::getuid());
        EXPECT_EQ(found.path, mine) << c.name;
        EXPECT_EQ(found.doubt, c.doubt) << c.name;
        if (found.doubt.empty()) {
            EXPECT_EQ(modeOf(mine), 0700u) << c.name;
        }
    }
}

TEST(RunningCopyFolder, TheRuntimeFolderIsUsedWhenItIsAnAbsoluteFolder) {
    QTemporaryDir temporary;
    const fs::path folder(temporary.path().toStdString());
    const fs::path runtime = folder / "run";
    fs::create_directory(runtime);
    std::ofstream(folder / "file") << "";
    const fs::path mine = folder / ("tessarin-" + std::to_string(::getuid()));
    const struct {
        const char* name;
        std::optional<std::string> runtime;
        fs::path expected;
    } cases[] = {
        {"a folder", runtime.string(), runtime},
        {"relative", "run", mine},
        {"relative, naming a folder", ".", mine},
        {"a file", (folder / "file").string(), mine},
        {"missing", (folder / "missing").string(), mine},
        {"unset", std::nullopt, mine},
    };
    for (const auto& c : cases) {
        const RunningCopyFolder found = RunningCopyFolder::find(c.runtime, folder, ::getuid());
        EXPECT_EQ(found.path, c.expected) << c.name;
        EXPECT_EQ(found.doubt, "") << c.name;
    }
}

// A runtime folder others may write in lets them remove the lock from under a running copy: the
// guard is off there, and says why.
TEST(RunningCopyFolder, ARuntimeFolderOthersMayWriteInTurnsTheGuardOff) {
    QTemporaryDir made;
    const std::filesystem::path runtime = std::filesystem::path(made.path().toStdString()) / "run";
    std::filesystem::create_directory(runtime);
    const struct {
        const char* name;
        mode_t mode;
        uid_t user;
        std::string doubt;
    } cases[] = {
        {"private", 0700, ::getuid(), ""},
        {"readable by others", 0755, ::getuid(), ""},
        {"open to others", 0777, ::getuid(), "is not private (mode 0777) (it is XDG_RUNTIME_DIR)"},
        {"writable by the group", 0770, ::getuid(),
         "is not private (mode 0770) (it is XDG_RUNTIME_DIR)"},
        {"another user's", 0700, ::getuid() + 1,
         "belongs to user " + std::to_string(::getuid()) + " (it is XDG_RUNTIME_DIR)"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(::chmod(runtime.c_str(), c.mode), 0);
        const RunningCopyFolder found =
            RunningCopyFolder::find(runtime.string(), made.path().toStdString(), c.user);
        EXPECT_EQ(found.path, runtime) << c.name;
        EXPECT_EQ(found.doubt, c.doubt) << c.name;
    }
}

TEST(RunningCopyFolder, AFolderTheGuardCannotWriteIsSaidSo) {
    QTemporaryDir temporary;
    const fs::path folder(temporary.path().toStdString());
    std::ofstream(folder / "file") << "";
    EXPECT_EQ(RunningCopyFolder(folder / "missing").doubt, "is missing");
    EXPECT_EQ(RunningCopyFolder(folder / "file").doubt, "is no folder");
    if (::getuid() != 0) { // the superuser writes anywhere
        fs::create_directory(folder / "read-only");
        ::chmod((folder / "read-only").c_str(), 0500);
        EXPECT_EQ(RunningCopyFolder(folder / "read-only").doubt, "cannot be written");
    }
}

} // namespace
} // namespace tessarin
