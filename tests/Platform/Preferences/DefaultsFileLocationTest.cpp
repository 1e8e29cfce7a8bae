#include "Platform/Preferences/DefaultsFileTarget.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Logger.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

class DefaultsFileLocationTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QTemporaryDir folder;
    fs::path root = fs::path(folder.path().toStdString());
    fs::path file = root / "config" / "Tessarin" / "defaults.json";
    ScopedLogCapture logs;
};

struct LinkCase {
    const char* name;
    // Makes `link` a link, directly or through others, to `target`.
    std::function<void(const fs::path& link, const fs::path& target)> make;
    bool targetExists;
};

// Dotfile managers keep settings files as links: the write goes to the end of the chain, and
// every link stays a link.
TEST_F(DefaultsFileLocationTest, AWriteThroughALinkReplacesItsTargetAndKeepsTheLink) {
    const LinkCase cases[] = {
        {"absolute link", [](auto& link, auto& target) { fs::create_symlink(target, link); }, true},
        {"relative link",
         [](auto& link, auto& target) {
             fs::create_symlink(fs::relative(target, link.parent_path()), link);
         },
         true},
        {"chain of two links",
         [](auto& link, auto& target) {
             const auto middle = link.parent_path() / "middle.json";
             fs::create_symlink(target, middle);
             fs::create_symlink(middle, link);
         },
         true},
        {"dangling link", [](auto& link, auto& target) { fs::create_symlink(target, link); },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root / "config");
        fs::remove_all(root / "dotfiles");
        const auto target = root / "dotfiles" / "tessarin.json";
        fs::create_directories(target.parent_path());
        fs::create_directories(file.parent_path());
        if (c.targetExists) {
            UserDefaults(target).set("before", "kept");
        }
        c.make(file, target);
        {
            UserDefaults defaults(file);
            defaults.set("answer", 42);
        }
        EXPECT_TRUE(fs::is_symlink(file));
        ASSERT_TRUE(fs::is_regular_file(target));
        EXPECT_FALSE(fs::is_symlink(target));
        const UserDefaults atTarget(target);
        EXPECT_EQ(atTarget.integerValue("answer"), 42);
        EXPECT_EQ(atTarget.stringValue("before"),
                  c.targetExists ? std::optional<std::string>("kept") : std::nullopt);
        EXPECT_EQ(UserDefaults(file).integerValue("answer"), 42);
        for (const auto& entry : fs::directory_iterator(file.parent_path())) {
            EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
        }
        EXPECT_TRUE(logs.messages("Preferences").empty());
    }
}

TEST_F(DefaultsFileLocationTest, AChainOfLinksIsFollowedOnlySoFar) {
    fs::create_directories(root / "links");
    fs::create_symlink(root / "links" / "b", root / "links" / "a");
    fs::create_symlink(root / "links" / "a", root / "links" / "b");
    const auto loop = resolveDefaultsFileTarget(root / "links" / "a", 8);
    EXPECT_TRUE(loop.path.empty());
    EXPECT_EQ(loop.error,
              (root / "links" / "a").string() + ": a loop of symbolic links (more than 8)");
    fs::create_symlink(root / "links" / "plain.json", root / "links" / "one");
    EXPECT_EQ(resolveDefaultsFileTarget(root / "links" / "one", 1).path,
              root / "links" / "plain.json");
    EXPECT_FALSE(resolveDefaultsFileTarget(root / "links" / "one", 0).error.empty());
}

struct UnreachableCase {
    const char* name;
    std::function<void(const fs::path& root)> make; // spoils the way to root/config/Tessarin
    std::string reason;                             // with ROOT for the folder's path
};

// Where the settings cannot be written, the run keeps its changes and says once, naming the
// path and why, that they are not stored.
TEST_F(DefaultsFileLocationTest, AFolderThatCannotBeMadeIsSaidOnceWithItsCause) {
    const UnreachableCase cases[] = {
        {"a file in place of the folder",
         [](const fs::path& r) { writeText(r / "config" / "Tessarin", "not a folder"); },
         "the folder ROOT/config/Tessarin cannot be made: ROOT/config/Tessarin is a file, not a "
         "folder"},
        {"a file in place of a folder above it",
         [](const fs::path& r) { writeText(r / "config", "not a folder"); },
         "the folder ROOT/config/Tessarin cannot be made: ROOT/config is a file, not a folder"},
        {"a loop of links in place of the folder",
         [](const fs::path& r) {
             fs::create_directories(r / "config");
             fs::create_symlink(r / "config" / "Other", r / "config" / "Tessarin");
             fs::create_symlink(r / "config" / "Tessarin", r / "config" / "Other");
         },
         "the folder ROOT/config/Tessarin cannot be made: a loop of symbolic links"},
        {"a loop of links in place of the file",
         [](const fs::path& r) {
             const auto folder = r / "config" / "Tessarin";
             fs::create_directories(folder);
             fs::create_symlink(folder / "other.json", folder / "defaults.json");
             fs::create_symlink(folder / "defaults.json", folder / "other.json");
         },
         "ROOT/config/Tessarin/defaults.json: a loop of symbolic links (more than 40)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root / "config");
        c.make(root);
        logs.clear();
        UserDefaults defaults(file);
        defaults.set("answer", 42);
        defaults.set("answer", 43);
        EXPECT_FALSE(defaults.flush(std::chrono::seconds(20)));
        EXPECT_FALSE(defaults.synchronize());
        EXPECT_EQ(defaults.integerValue("answer"), 43); // kept for the run
        std::string reason = c.reason;
        for (auto at = reason.find("ROOT"); at != std::string::npos; at = reason.find("ROOT")) {
            reason.replace(at, 4, root.string());
        }
        const auto messages = logs.messages("Preferences");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(
            messages[0].find("defaults.write.failed file=" + file.string() + " reason=" + reason),
            std::string::npos)
            << messages[0];
    }
}

TEST_F(DefaultsFileLocationTest, TheFolderIsWrittenOnceItCanBeMade) {
    writeText(root / "config" / "Tessarin", "not a folder");
    UserDefaults defaults(file);
    defaults.set("answer", 42);
    fs::remove(root / "config" / "Tessarin");
    defaults.synchronize();
    EXPECT_TRUE(defaults.flush(std::chrono::seconds(20)));
    EXPECT_EQ(UserDefaults(file).integerValue("answer"), 42);
}

} // namespace
} // namespace tessarin
