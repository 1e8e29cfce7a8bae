#pragma once

#include <QFileSystemWatcher>

namespace tessarin {

class UserDefaults;

// Watches a persisted store's file, and the folders that hold it and its link's target, so a
// change that another process (or a person) made to the file reaches the store at once: the
// store takes it in by synchronizing, and its observers hear of each key that changed. Lives on
// the thread whose event loop delivers the watcher's signals (the main thread).
class DefaultsFileWatcher {
public:
    explicit DefaultsFileWatcher(UserDefaults& defaults);
    DefaultsFileWatcher(const DefaultsFileWatcher&) = delete;
    DefaultsFileWatcher& operator=(const DefaultsFileWatcher&) = delete;

private:
    // A file replaced by a rename is no longer watched: the paths are watched anew after each
    // change, and a folder made later is watched once it is there.
    void watchPaths();
    void changed();

    UserDefaults& defaults_;
    QFileSystemWatcher watcher_;
};

} // namespace tessarin
