#include "Platform/Preferences/DefaultsFileLock.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Logger.h"

#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

constexpr std::chrono::milliseconds kPatience{20000};

struct UnusableLock {
    const char* name;
    std::function<void(const fs::path& lock)> make;
    const char* reason;
};

// A lock file the store cannot use costs no change: the store writes under a lock of its own in
// the user's private folder, and says so once.
class UnusableDefaultsLockTest : public ::testing::TestWithParam<UnusableLock> {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        fs::create_directories(file.parent_path());
        fs::create_directories(privateFolder);
        hooks.privateFolder = [this] { return std::optional(privateFolder); };
    }

    std::vector<std::string> unusableLines() const {
        std::vector<std::string> lines;
        for (const auto& message : logs.messages("Preferences")) {
            if (message.find("defaults.lock.unusable") != std::string::npos) {
                lines.push_back(message);
            }
        }
        return lines;
    }

    QTemporaryDir folder;
    fs::path root = fs::path(folder.path().toStdString());
    fs::path file = root / "config" / "defaults.json";
    fs::path lock = DefaultsFileLock::lockFileFor(file);
    fs::path privateFolder = root / "private";
    UserDefaultsFileHooks hooks;
    ScopedLogCapture logs;
};

TEST_P(UnusableDefaultsLockTest, EveryChangeIsWrittenUnderALockOfTheStoresOwn) {
    GetParam().make(lock);
    {
        UserDefaults defaults(file, hooks);
        for (const char* name : {"Safari", "Mail", "Notes"}) {
            defaults.set(name, true);
            EXPECT_TRUE(defaults.flush(kPatience));
        }
    }
    const auto lines = unusableLines();
    const UserDefaults reopened(file);
    for (const char* name : {"Safari", "Mail", "Notes"}) {
        EXPECT_EQ(reopened.boolValue(name), true) << name;
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(std::string("reason=") + GetParam().reason), std::string::npos)
        << lines[0];
    EXPECT_NE(lines[0].find("lock=" + privateFolder.string() + "/"), std::string::npos) << lines[0];
    EXPECT_FALSE(fs::exists(root / "elsewhere")); // a link's target is never made
}

// Where there is no private folder either, the changes are written without a lock, as said.
TEST_P(UnusableDefaultsLockTest, WithoutAPrivateFolderTheChangesAreWrittenWithoutALock) {
    GetParam().make(lock);
    hooks.privateFolder = [] { return std::nullopt; };
    {
        UserDefaults defaults(file, hooks);
        defaults.set("Safari", true);
        EXPECT_TRUE(defaults.flush(kPatience));
    }
    const auto lines = unusableLines();
    EXPECT_EQ(UserDefaults(file).boolValue("Safari"), true);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("lock=none, so the file is written without a lock"), std::string::npos)
        << lines[0];
}

const UnusableLock kUnusableLocks[] = {
    {"ALink",
     [](const fs::path& lock) {
         fs::create_symlink(lock.parent_path().parent_path() / "elsewhere", lock);
     },
     "the lock file cannot be opened: Too many levels of symbolic links"},
    {"AFolder", [](const fs::path& lock) { fs::create_directory(lock); },
     "the lock file cannot be opened: Is a directory"},
    {"AnotherUsersFile",
     [](const fs::path& lock) {
         std::ofstream(lock) << "";
         if (::geteuid() == 0) {
             ASSERT_EQ(::chown(lock.c_str(), 65534, 65534), 0);
         } else {
             fs::permissions(lock, fs::perms::none); // this user cannot open it
         }
     },
     ::geteuid() == 0 ? "the lock file belongs to user 65534"
                      : "the lock file cannot be opened: Permission denied"},
};

void PrintTo(const UnusableLock& lock, std::ostream* out) {
    *out << lock.name;
}

INSTANTIATE_TEST_SUITE_P(Locks, UnusableDefaultsLockTest, ::testing::ValuesIn(kUnusableLocks),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
