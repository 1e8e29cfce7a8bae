#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tessarin {

// The bytes of a whole regular file that holds at most `maxBytes`, or why not: "is a directory",
// "is not a regular file" (a FIFO, a device, a socket: never opened for reading, so the read
// never waits on one), "cannot be opened: <the system's reason>", "cannot be read" or "is larger
// than <the bound>". Nothing past the bound is read, so a huge file costs no more memory than
// the bound.
struct BoundedFileRead {
    std::optional<std::string> bytes;
    std::string error;
    explicit operator bool() const { return bytes.has_value(); }
};

BoundedFileRead readBoundedFile(const std::filesystem::path& path, std::size_t maxBytes);

// The same, with `betweenCheckAndOpen` run after the path is looked at and before it is opened:
// where another process could put something else at the path.
BoundedFileRead readBoundedFile(const std::filesystem::path& path, std::size_t maxBytes,
                                const std::function<void()>& betweenCheckAndOpen);

// "16 MiB" for a whole number of mebibytes, else the number of bytes.
std::string describeByteCount(std::size_t bytes);

} // namespace tessarin
