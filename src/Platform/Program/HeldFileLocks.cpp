#include "Platform/Program/HeldFileLocks.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace tessarin {

namespace {

// "<n>: FLOCK  ADVISORY  WRITE <pid> <major>:<minor>:<inode> 0 EOF"; a waiter's line has "->"
// after the number and holds nothing. The holder's pid, when the line is a granted flock there.
std::optional<pid_t> grantedFlockHolder(const std::string& line, unsigned major, unsigned minor,
                                        unsigned long long inode) {
    char kind[16] = {};
    char device[64] = {};
    long long pid = 0;
    if (std::sscanf(line.c_str(), "%*[^:]: %15s %*s %*s %lld %63s", kind, &pid, device) != 3 ||
        std::string(kind) != "FLOCK") {
        return std::nullopt;
    }
    unsigned lineMajor = 0;
    unsigned lineMinor = 0;
    unsigned long long lineInode = 0;
    if (std::sscanf(device, "%x:%x:%llu", &lineMajor, &lineMinor, &lineInode) != 3 ||
        lineMajor != major || lineMinor != minor || lineInode != inode) {
        return std::nullopt;
    }
    return static_cast<pid_t>(pid > 0 ? pid : 0);
}

} // namespace

std::vector<pid_t> flockHolders(std::string_view lockTable, dev_t device, ino_t inode) {
    std::vector<pid_t> holders;
    std::size_t start = 0;
    while (start < lockTable.size()) {
        std::size_t end = lockTable.find('\n', start);
        if (end == std::string_view::npos) {
            end = lockTable.size();
        }
        const std::string line(lockTable.substr(start, end - start));
        if (const auto holder = grantedFlockHolder(line, ::major(device), ::minor(device), inode)) {
            holders.push_back(*holder);
        }
        start = end + 1;
    }
    return holders;
}

bool holdsFlock(std::string_view lockTable, dev_t device, ino_t inode) {
    return !flockHolders(lockTable, device, inode).empty();
}

std::string systemLockTable() {
    // The table says it is empty to stat, so it is read to its end, not to its size.
    std::ifstream stream("/proc/locks");
    std::ostringstream table;
    table << stream.rdbuf();
    return table.str();
}

bool flockHeldOn(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return false;
    }
    return holdsFlock(systemLockTable(), status.st_dev, status.st_ino);
}

} // namespace tessarin
