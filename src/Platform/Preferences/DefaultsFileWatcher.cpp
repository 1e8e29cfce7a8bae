#include "Platform/Preferences/DefaultsFileWatcher.h"

#include "Platform/Preferences/DefaultsFileTarget.h"
#include "Platform/Preferences/UserDefaults.h"

#include <QStringList>

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
    QStringList paths{QString::fromStdString(file->parent_path().string()),
                      QString::fromStdString(file->string())};
    const DefaultsFileTarget target = resolveDefaultsFileTarget(*file);
    if (target.error.empty() && target.path != *file) {
        paths << QString::fromStdString(target.path.parent_path().string())
              << QString::fromStdString(target.path.string());
    }
    const QStringList watched = watcher_.files() + watcher_.directories();
    for (const QString& path : paths) {
        if (!watched.contains(path)) {
            watcher_.addPath(path); // fails quietly for a path that is not there yet
        }
    }
}

void DefaultsFileWatcher::changed() {
    defaults_.synchronize();
    watchPaths();
}

} // namespace tessarin
