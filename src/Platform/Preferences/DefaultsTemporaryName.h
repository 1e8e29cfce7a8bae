#pragma once

#include <filesystem>
#include <optional>
#include <sys/types.h>

namespace tessarin {

// The name of a write's temporary file beside `file`: "<file>.<pid>-<n>-<random>.tmp". The
// counter keeps it unique within this process, the pid across processes, and the random part
// keeps a name left by an earlier process of the same pid from being met again and again.
std::filesystem::path defaultsTemporaryName(const std::filesystem::path& file);

// The pid of the process that made `candidate` when it is a name of that pattern for `file`
// (the same folder and the file's own name before it); nothing for any other name, so a
// temporary file of another file, however alike, is never taken for one of this file's.
std::optional<pid_t> defaultsTemporaryWriter(const std::filesystem::path& file,
                                             const std::filesystem::path& candidate);

} // namespace tessarin
