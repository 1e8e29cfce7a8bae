#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace tessarin {

// The processes the system's table of file locks (the text of /proc/locks) names as holding a
// granted whole-file lock (flock) on the file of that device and inode; 0 for a holder the
// table cannot name (one in another pid namespace). Reading the table takes nothing, so a look
// never keeps the lock's holder, or one about to take it, from it.
std::vector<pid_t> flockHolders(std::string_view lockTable, dev_t device, ino_t inode);
bool holdsFlock(std::string_view lockTable, dev_t device, ino_t inode);

// The table as it is now.
std::string systemLockTable();

// Whether some process holds a flock on `file` now.
bool flockHeldOn(const std::filesystem::path& file);

} // namespace tessarin
