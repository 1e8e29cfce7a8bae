#include "Platform/Preferences/DefaultsFileReplacement.h"

#include "Platform/Preferences/DefaultsTemporaryName.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessarin {

namespace {

std::string systemError(int error) {
    return std::strerror(error);
}

class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& file) {
        for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
            path_ = defaultsTemporaryName(file);
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
            if (fd_ < 0 && errno != EEXIST) {
                break;
            }
        }
        if (fd_ < 0) {
            error_ = "open: " + systemError(errno);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        closeFile();
        if (!kept_ && !path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    int fd() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }
    const std::string& openError() const { return error_; }
    bool closeFile() {
        const bool ok = fd_ < 0 || ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }
    void keep() { kept_ = true; } // renamed into place

private:
    std::filesystem::path path_;
    int fd_ = -1;
    bool kept_ = false;
    std::string error_;
};

std::optional<std::string> writeAll(int fd, const std::string& text, std::size_t limit) {
    std::size_t written = 0;
    const std::size_t target = std::min(limit, text.size());
    while (written < target) {
        const ssize_t n = ::write(fd, text.data() + written, target - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return "write: " + systemError(errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (written < text.size()) {
        return "write: interrupted after " + std::to_string(written) + " of " +
               std::to_string(text.size()) + " bytes";
    }
    return std::nullopt;
}

// The replaced file keeps its permissions; a new one gets the ones its open gave it.
void takePermissionsOf(const std::filesystem::path& file, int fd) {
    struct stat status {};
    if (::stat(file.c_str(), &status) == 0) {
        ::fchmod(fd, status.st_mode & 07777);
    }
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool plainRename(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return !error;
}

} // namespace

std::optional<std::string> replaceFileAtomically(const std::filesystem::path& file,
                                                 const std::string& text,
                                                 const DefaultsFileReplacementHooks& hooks,
                                                 struct stat* written) {
    TemporaryFile temporary(file);
    if (temporary.fd() < 0) {
        return temporary.openError();
    }
    const std::size_t limit = hooks.writableBytes ? hooks.writableBytes(text.size()) : text.size();
    if (auto failure = writeAll(temporary.fd(), text, limit)) {
        return failure;
    }
    takePermissionsOf(file, temporary.fd());
    if (::fsync(temporary.fd()) != 0) {
        return "fsync: " + systemError(errno);
    }
    if (written && ::fstat(temporary.fd(), written) != 0) {
        return "fstat: " + systemError(errno);
    }
    if (!temporary.closeFile()) {
        return "close: " + systemError(errno);
    }
    const auto& rename = hooks.rename ? hooks.rename : plainRename;
    if (!rename(temporary.path(), file)) {
        return "rename failed";
    }
    temporary.keep();
    syncFolder(file.parent_path());
    return std::nullopt;
}

} // namespace tessarin
