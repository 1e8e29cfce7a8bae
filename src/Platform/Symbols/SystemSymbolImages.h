#pragma once

#include "Support/ThreadAffinity.h"

#include <QImage>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// The system's named symbol images ("xmark", "arrow.counterclockwise", ...), the pictures of
// standard buttons. Their stand-ins are drawn for this project and travel in the resource
// bundle as "symbol.<name>.png"; a test can withdraw one to see what a control shows without
// it. Main thread only: the cache is unlocked, and debug builds abort on a lookup from another
// thread.
class SystemSymbolImages {
public:
    static constexpr const char* bundleName = "Tessarin_Tessarin.bundle";

    // Nothing for a name the system does not have (or that was withdrawn).
    std::optional<QImage> image(const std::string& name) const;

    void withdraw(const std::string& name) { withdrawn_.insert(name); }
    void restore(const std::string& name) { withdrawn_.erase(name); }

    // The folders searched for the bundle, each with up to five of its ancestors; by default
    // the program's folder, the current directory and the folder of the build's bundle.
    void setSearchRoots(std::vector<std::filesystem::path> roots) { roots_ = std::move(roots); }

private:
    std::optional<std::filesystem::path> file(const std::string& name) const;

    std::set<std::string> withdrawn_;
    std::optional<std::vector<std::filesystem::path>> roots_;
    mutable std::map<std::string, QImage> cache_;
    ThreadAffinity affinity_{"SystemSymbolImages"};
};

} // namespace tessarin
