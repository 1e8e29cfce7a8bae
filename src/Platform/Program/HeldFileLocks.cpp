#include "Platform/Program/HeldFileLocks.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace tessarin {

namespace {

// "<n>: FLOCK  ADVISORY  WRITE <pid> <major>:<minor>:<inode> 0 EOF"; a waiter's line has "->"
// after the number and holds nothing.
bool isGrantedFlockOn(const std::string& line, unsigned major, unsigned minor,
                      unsigned long long inode) {
    char kind[16] = {};
    char device[64] = {};
    if (std::sscanf(line.c_str(), "%*[^:]: %15s %*s %*s %*s %63s", kind, device) != 2 ||
        std::string(kind) != "FLOCK") {
        return false;
    }
    unsigned lineMajor = 0;
    unsigned lineMinor = 0;
    unsigned long long lineInode = 0;
    return std::sscanf(device, "%x:%x:%llu", &lineMajor, &lineMinor, &lineInode) == 3 &&
           lineMajor == major && lineMinor == minor && lineInode == inode;
}

} // namespace

bool holdsFlock(std::string_view lockTable, dev_t device, ino_t inode) {
    std::size_t start = 0;
    while (start < lockTable.size()) {
        std::size_t end = lockTable.find('\n', start);
        if (end == std::string_view::npos) {
            end = lockTable.size();
        }
        const std::string line(lockTable.substr(start, end - start));
        if (isGrantedFlockOn(line, ::major(device), ::minor(device), inode)) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool flockHeldOn(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return false;
    }
    // The table says it is empty to stat, so it is read to its end, not to its size.
    std::ifstream stream("/proc/locks");
    std::ostringstream table;
    table << stream.rdbuf();
    return holdsFlock(table.str(), status.st_dev, status.st_ino);
}

} // namespace tessarin
