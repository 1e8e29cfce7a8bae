#include "Platform/Program/HeldFileLocks.h"

#include <gtest/gtest.h>
#include <sys/sysmacros.h>
#include <vector>

namespace tessarin {
namespace {

// The kernel's table: a granted whole-file lock on the device and inode asked about counts; a
// waiter's line, a byte-range lock, another inode or another device do not.
TEST(HeldFileLocks, OnlyAGrantedFlockOnThatFileCounts) {
    const dev_t device = ::makedev(0x08, 0x21);
    const ino_t inode = 1234567;
    const struct {
        const char* name;
        const char* table;
        bool held;
    } cases[] = {
        {"granted", "1: FLOCK  ADVISORY  WRITE 4321 08:21:1234567 0 EOF\n", true},
        {"among others",
         "1: POSIX  ADVISORY  WRITE 1 00:19:55 0 EOF\n"
         "2: OFDLCK ADVISORY  WRITE -1 08:21:1234567 16 16\n"
         "3: FLOCK  ADVISORY  WRITE 4321 08:21:1234567 0 EOF",
         true},
        {"a waiter only", "1: -> FLOCK  ADVISORY  WRITE 4321 08:21:1234567 0 EOF\n", false},
        {"a byte range only", "1: OFDLCK ADVISORY  WRITE -1 08:21:1234567 0 EOF\n", false},
        {"another inode", "1: FLOCK  ADVISORY  WRITE 4321 08:21:12345670 0 EOF\n", false},
        {"another device", "1: FLOCK  ADVISORY  WRITE 4321 08:22:1234567 0 EOF\n", false},
        {"empty", "", false},
        {"garbage", "FLOCK\n::\n1:\n", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(holdsFlock(c.table, device, inode), c.held) << c.name;
    }
}

// Every granted holder is named, a shared lock held by two as two; a holder the table cannot
// name (another pid namespace) as 0; a waiter not at all.
TEST(HeldFileLocks, TheHoldersAreNamedByTheirPids) {
    const dev_t device = ::makedev(0x08, 0x21);
    const ino_t inode = 1234567;
    const char* table = "1: FLOCK  ADVISORY  READ  4321 08:21:1234567 0 EOF\n"
                        "1: FLOCK  ADVISORY  READ  8765 08:21:1234567 0 EOF\n"
                        "2: FLOCK  ADVISORY  WRITE 0 08:21:1234567 0 EOF\n"
                        "3: -> FLOCK  ADVISORY  WRITE 999 08:21:1234567 0 EOF\n"
                        "4: FLOCK  ADVISORY  WRITE 555 08:21:7654321 0 EOF\n";
    EXPECT_EQ(flockHolders(table, device, inode), (std::vector<pid_t>{4321, 8765, 0}));
}

} // namespace
} // namespace tessarin
