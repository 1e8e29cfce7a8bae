#include "Platform/Program/RunningCopyFolder.h"

#include "Platform/Program/RunningCopyTrust.h"

#include <QCryptographicHash>
#include <QDir>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace tessarin {

namespace {

std::string doubtAboutWritableFolder(const std::filesystem::path& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        return "is missing";
    }
    if (!S_ISDIR(status.st_mode)) {
        return "is no folder";
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return "cannot be written";
    }
    return {};
}

} // namespace

RunningCopyFolder::RunningCopyFolder(std::filesystem::path folder)
    : path(std::move(folder)), doubt(doubtAboutWritableFolder(path)) {}

RunningCopyFolder RunningCopyFolder::find(const std::optional<std::string>& runtimeFolder,
                                          const std::filesystem::path& temporaryFolder,
                                          uid_t user) {
    if (runtimeFolder && std::filesystem::path(*runtimeFolder).is_absolute()) {
        std::error_code error;
        if (std::filesystem::is_directory(*runtimeFolder, error)) {
            // Whoever may write there may remove the lock from under a running copy.
            RunningCopyFolder folder{std::filesystem::path(*runtimeFolder)};
            struct stat status {};
            if (folder.doubt.empty() && ::stat(folder.path.c_str(), &status) == 0) {
                RunningCopyFileFacts facts = RunningCopyFileFacts::of(status);
                // What others may only read or enter they cannot take the lock out of.
                if (facts.owner == user && (facts.permissions & 022) == 0) {
                    facts.permissions = 0700;
                }
                const std::string doubt = RunningCopyTrust::doubtAboutFolder(facts, user);
                if (!doubt.empty()) {
                    folder.doubt = doubt + " (it is XDG_RUNTIME_DIR)";
                }
            }
            return folder;
        }
    }
    RunningCopyFolder folder;
    folder.path = temporaryFolder / ("tessarin-" + std::to_string(user));
    // An existing folder is judged like a new one: whoever made it must be the user.
    if (::mkdir(folder.path.c_str(), 0700) != 0 && errno != EEXIST) {
        folder.doubt = std::string("cannot be made: ") + std::strerror(errno);
        return folder;
    }
    folder.doubt =
        RunningCopyTrust::doubtAboutFolder(RunningCopyFileFacts::at(folder.path.c_str()), user);
    return folder;
}

RunningCopyFolder RunningCopyFolder::forProcess() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return find(runtime ? std::optional<std::string>(runtime) : std::nullopt,
                QDir::tempPath().toStdString(), ::getuid());
}

std::string RunningCopyFolder::nameFor(const std::filesystem::path& settingsFile) {
    std::error_code error;
    auto canonical = std::filesystem::weakly_canonical(settingsFile, error);
    if (error) {
        canonical = std::filesystem::absolute(settingsFile, error).lexically_normal();
    }
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(canonical.string()),
                                                     QCryptographicHash::Sha256);
    return "tessarin-" + std::to_string(::getuid()) + "-" + hash.toHex().left(16).toStdString();
}

} // namespace tessarin
