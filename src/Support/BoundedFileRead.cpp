#include "Support/BoundedFileRead.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessarin {

namespace {

// Opening a FIFO for reading waits for a writer, and a device may never end: only regular files
// are read. The path is looked at before it is opened; what was opened is looked at again, opened
// without waiting, so a FIFO put there meanwhile cannot hold the open either.
std::optional<std::string> notARegularFile(mode_t mode) {
    if (S_ISREG(mode)) {
        return std::nullopt;
    }
    return S_ISDIR(mode) ? "is a directory" : "is not a regular file";
}

class OpenFile {
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int fd() const { return fd_; }

private:
    int fd_;
};

} // namespace

BoundedFileRead readBoundedFile(const std::filesystem::path& path, std::size_t maxBytes) {
    return readBoundedFile(path, maxBytes, {});
}

BoundedFileRead readBoundedFile(const std::filesystem::path& path, std::size_t maxBytes,
                                const std::function<void()>& betweenCheckAndOpen) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        if (auto problem = notARegularFile(status.st_mode)) {
            return {std::nullopt, std::move(*problem)};
        }
    }
    if (betweenCheckAndOpen) {
        betweenCheckAndOpen();
    }
    const OpenFile file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.fd() < 0) {
        return {std::nullopt, "cannot be opened: " + std::string(std::strerror(errno))};
    }
    if (::fstat(file.fd(), &status) != 0) {
        return {std::nullopt, "cannot be read"};
    }
    if (auto problem = notARegularFile(status.st_mode)) {
        return {std::nullopt, std::move(*problem)};
    }
    std::string bytes;
    std::array<char, 64 * 1024> chunk{};
    for (;;) {
        const ssize_t count = ::read(file.fd(), chunk.data(), chunk.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return {std::nullopt, "cannot be read"};
        }
        if (count == 0) {
            return {std::move(bytes), {}};
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(count));
        if (bytes.size() > maxBytes) {
            return {std::nullopt, "is larger than " + describeByteCount(maxBytes)};
        }
    }
}

std::string describeByteCount(std::size_t bytes) {
    constexpr std::size_t kMebibyte = 1024 * 1024;
    if (bytes >= kMebibyte && bytes % kMebibyte == 0) {
        return std::to_string(bytes / kMebibyte) + " MiB";
    }
    return std::to_string(bytes) + " bytes";
}

} // namespace tessarin
