#include "Platform/Program/RunningCopyTrust.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Kind = RunningCopyFileFacts::Kind;

constexpr uid_t kUser = 1000;
constexpr uid_t kOther = 1001;

struct Case {
    const char* name;
    RunningCopyFileFacts facts;
    bool trusted;
};

TEST(RunningCopyTrust, ThePrivateFolderIsTheUsersOwnFolderOfMode0700) {
    const Case cases[] = {
        {"the user's, 0700", {Kind::folder, kUser, 0700}, true},
        {"another user's", {Kind::folder, kOther, 0700}, false},
        {"open to the group", {Kind::folder, kUser, 0750}, false},
        {"open to all, sticky", {Kind::folder, kUser, 01777}, false},
        {"closed to the user's own writes", {Kind::folder, kUser, 0500}, false},
        {"a link", {Kind::link, kUser, 0777}, false},
        {"a file", {Kind::regular, kUser, 0700}, false},
        {"missing", {Kind::missing, kUser, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunningCopyTrust::doubtAboutFolder(c.facts, kUser).empty(), c.trusted) << c.name;
    }
    EXPECT_EQ(RunningCopyTrust::doubtAboutFolder({Kind::folder, kUser, 0755}, kUser),
              "is not private (mode 0755)");
}

TEST(RunningCopyTrust, TheLockIsARegularFileOfTheUsers) {
    const Case cases[] = {
        {"the user's", {Kind::regular, kUser, 0600}, true},
        {"another user's, open to all", {Kind::regular, kOther, 0666}, false},
        {"another user's, read-only", {Kind::regular, kOther, 0644}, false},
        {"a FIFO", {Kind::other, kUser, 0600}, false},
        {"a folder", {Kind::folder, kUser, 0700}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunningCopyTrust::doubtAboutLock(c.facts, kUser).empty(), c.trusted) << c.name;
    }
    EXPECT_EQ(RunningCopyTrust::doubtAboutLock({Kind::regular, kOther, 0666}, kUser),
              "the lock belongs to user 1001");
}

TEST(RunningCopyTrust, OnlyWhatIsTheUsersMayBeReplacedAtTheSocketPath) {
    const Case cases[] = {
        {"nothing", {Kind::missing, 0, 0}, true},
        {"a crashed copy's socket", {Kind::socket, kUser, 0600}, true},
        {"a file of the user's", {Kind::regular, kUser, 0600}, true},
        {"another user's socket", {Kind::socket, kOther, 0777}, false},
        {"a folder", {Kind::folder, kUser, 0700}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunningCopyTrust::doubtAboutSocketPath(c.facts, kUser).empty(), c.trusted)
            << c.name;
    }
}

TEST(RunningCopyTrust, ALaterStartTalksOnlyToASocketOfTheUsers) {
    const Case cases[] = {
        {"the user's socket", {Kind::socket, kUser, 0600}, true},
        {"another user's socket", {Kind::socket, kOther, 0600}, false},
        {"a file of the user's", {Kind::regular, kUser, 0600}, false},
        {"a link to a socket", {Kind::link, kUser, 0777}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunningCopyTrust::trustsSocket(c.facts, kUser), c.trusted) << c.name;
    }
}

TEST(RunningCopyTrust, OnlyAPeerOfTheSameUserIsBelieved) {
    const struct {
        const char* name;
        std::optional<uid_t> peer;
        bool trusted;
    } cases[] = {
        {"the same user", kUser, true},
        {"another user", kOther, false},
        {"the superuser", uid_t{0}, false},
        {"unknown", std::nullopt, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunningCopyTrust::trustsPeer(c.peer, kUser), c.trusted) << c.name;
    }
}

} // namespace
} // namespace tessarin
