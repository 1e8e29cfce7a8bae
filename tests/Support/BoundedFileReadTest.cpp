#include "Support/BoundedFileRead.h"

#include "FifoInPlace.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

class BoundedFileReadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QTemporaryDir folder;
    fs::path root = fs::path(folder.path().toStdString());
};

TEST_F(BoundedFileReadTest, AFileWithinTheBoundIsReadWholeAndOneByteMoreIsNot) {
    std::ofstream(root / "five") << "12345";
    const auto read = readBoundedFile(root / "five", 5);
    ASSERT_TRUE(read) << read.error;
    EXPECT_EQ(*read.bytes, "12345");
    EXPECT_EQ(readBoundedFile(root / "five", 4).error, "is larger than 4 bytes");
}

// Only regular files are opened for reading: a FIFO would hold the open until some writer came,
// and a device may never end.
TEST_F(BoundedFileReadTest, WhatIsNoRegularFileIsRefusedUnopened) {
    fs::create_directories(root / "folder");
    const FifoInPlace fifo(root / "fifo");
    ASSERT_TRUE(fifo.made());
    const std::pair<fs::path, const char*> cases[] = {
        {root / "fifo", "is not a regular file"},
        {"/dev/zero", "is not a regular file"},
        {root / "folder", "is a directory"},
    };
    for (const auto& [path, expected] : cases) {
        const auto read = readBoundedFile(path, 1024);
        EXPECT_FALSE(read.bytes) << path;
        EXPECT_EQ(read.error, expected) << path;
    }
    EXPECT_FALSE(fifo.heldAReader());
    const auto missing = readBoundedFile(root / "absent", 1024);
    EXPECT_EQ(missing.error, "cannot be opened: No such file or directory");
}

// Another process may put a FIFO where the regular file was after the path is looked at: what was
// opened is judged, not what was looked at.
TEST_F(BoundedFileReadTest, AFifoSwappedInAfterTheCheckIsRefused) {
    const fs::path path = root / "swapped";
    std::ofstream(path) << "12345";
    std::optional<FifoInPlace> fifo;
    const auto read = readBoundedFile(path, 1024, [&] {
        fs::remove(path);
        fifo.emplace(path);
    });
    ASSERT_TRUE(fifo && fifo->made());
    EXPECT_FALSE(read.bytes);
    EXPECT_EQ(read.error, "is not a regular file");
}

} // namespace
} // namespace tessarin
