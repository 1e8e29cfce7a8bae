#pragma once

#include <filesystem>
#include <string_view>
#include <sys/types.h>

namespace tessarin {

// Whether the system's table of file locks (the text of /proc/locks) lists a granted whole-file
// lock (flock) on the file of that device and inode. Reading the table takes nothing, so a look
// never keeps the lock's holder, or one about to take it, from it.
bool holdsFlock(std::string_view lockTable, dev_t device, ino_t inode);

// Whether some process holds a flock on `file` now.
bool flockHeldOn(const std::filesystem::path& file);

} // namespace tessarin
