#include "Platform/Preferences/DefaultsFileWatcher.h"

#include "Platform/Preferences/DefaultsFileTarget.h"
#include "Platform/Preferences/UserDefaults.h"

#include <QStringList>
#include <filesystem>
#include <vector>

namespace tessarin {

DefaultsFileWatcher::DefaultsFileWatcher(UserDefaults& defaults) : defaults_(defaults) {
    QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, [this] { changed(); });
    QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, [this] { changed(); });
    watchPaths();
}

void DefaultsFileWatcher::watchPaths() {
    const auto& file = defaults_.file();
    if (!file) {
        return;
    }
    std::vector<std::filesystem::path> paths{*file};
    const DefaultsFileTarget target = resolveDefaultsFileTarget(*file);
    if (target.error.empty() && target.path != *file) {
        paths.push_back(target.path);
    }
    const QStringList watched = watcher_.files() + watcher_.directories();
    const auto watch = [&](const std::filesystem::path& path, std::filesystem::file_type type) {
        std::error_code error;
        const QString name = QString::fromStdString(path.string());
        // Only what is there as what it should be: a folder that is a file is not watched.
        if (std::filesystem::status(path, error).type() == type && !watched.contains(name)) {
            watcher_.addPath(name);
        }
    };
    for (const auto& path : paths) {
        // A folder not made yet: the nearest one above it tells when it is made.
        auto folder = path.parent_path();
        std::error_code error;
        while (!folder.empty() && folder != folder.parent_path() &&
               !std::filesystem::exists(folder, error)) {
            folder = folder.parent_path();
        }
        watch(folder, std::filesystem::file_type::directory);
        watch(path, std::filesystem::file_type::regular);
    }
}

void DefaultsFileWatcher::changed() {
    defaults_.synchronize();
    watchPaths();
}

} // namespace tessarin
