#include "Platform/Preferences/DefaultsTemporaryName.h"

#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

const fs::path kFile = "/home/u/.config/Tessarin/defaults.json";

TEST(DefaultsTemporaryNameTest, ANameMadeForTheFileNamesThisProcessAndDiffersEachTime) {
    const fs::path first = defaultsTemporaryName(kFile);
    const fs::path second = defaultsTemporaryName(kFile);
    EXPECT_NE(first, second);
    EXPECT_EQ(first.parent_path(), kFile.parent_path());
    EXPECT_EQ(defaultsTemporaryWriter(kFile, first), ::getpid());
    EXPECT_EQ(defaultsTemporaryWriter(kFile, second), ::getpid());
}

// Only names of the file's own pattern are taken for its temporary files.
TEST(DefaultsTemporaryNameTest, OnlyTheFilesOwnPatternNamesAWriter) {
    const struct {
        const char* name;
        fs::path candidate;
        std::optional<pid_t> writer;
    } cases[] = {
        {"this file's", kFile.parent_path() / "defaults.json.4242-7-123456.tmp", 4242},
        {"another file's", kFile.parent_path() / "other.json.4242-7-123456.tmp", std::nullopt},
        {"a file whose name starts alike", kFile.parent_path() / "defaults.jsonx.4242-7-1.tmp",
         std::nullopt},
        {"a longer name of this file's", kFile.parent_path() / "defaults.json.bak.4242-7-1.tmp",
         std::nullopt},
        {"another folder", fs::path("/tmp") / "defaults.json.4242-7-1.tmp", std::nullopt},
        {"two numbers", kFile.parent_path() / "defaults.json.4242-7.tmp", std::nullopt},
        {"four numbers", kFile.parent_path() / "defaults.json.4242-7-1-2.tmp", std::nullopt},
        {"a part after the third number", kFile.parent_path() / "defaults.json.4242-7-1.5.tmp",
         std::nullopt},
        {"a sign", kFile.parent_path() / "defaults.json.-4242-7-1.tmp", std::nullopt},
        {"pid zero", kFile.parent_path() / "defaults.json.0-7-1.tmp", std::nullopt},
        {"pid past the largest", kFile.parent_path() / "defaults.json.99999999999-7-1.tmp",
         std::nullopt},
        {"another ending", kFile.parent_path() / "defaults.json.4242-7-1.tmp.old", std::nullopt},
        {"the lock file", kFile.parent_path() / "defaults.json.lock", std::nullopt},
        {"the file itself", kFile, std::nullopt},
    };
    for (const auto& [name, candidate, writer] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(defaultsTemporaryWriter(kFile, candidate), writer);
    }
}

} // namespace
} // namespace tessarin
