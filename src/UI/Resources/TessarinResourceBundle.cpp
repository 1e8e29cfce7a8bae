#include "UI/Resources/TessarinResourceBundle.h"

#include <QCoreApplication>
#include <algorithm>
#include <system_error>

namespace tessarin::TessarinResourceBundle {

namespace fs = std::filesystem;

namespace {

constexpr int ancestorLimit = 5;

fs::path standardized(const fs::path& path) {
    fs::path normal = path.lexically_normal();
    if (normal.has_relative_path() && !normal.has_filename()) {
        normal = normal.parent_path();
    }
    return normal;
}

void appendOnce(std::vector<fs::path>& paths, const fs::path& path) {
    const fs::path normal = standardized(path);
    if (std::find(paths.begin(), paths.end(), normal) == paths.end()) {
        paths.push_back(normal);
    }
}

// Each start followed by its ancestors, nearest first, stopping at the root.
std::vector<fs::path> candidateContainers(const SearchRoots& roots) {
    std::vector<fs::path> starts = roots.containers;
    if (!roots.currentDirectory.empty()) {
        starts.push_back(roots.currentDirectory);
    }
    std::vector<fs::path> containers;
    for (const fs::path& start : starts) {
        fs::path folder = standardized(start);
        appendOnce(containers, folder);
        for (int step = 0; step < ancestorLimit && folder.has_relative_path(); ++step) {
            folder = folder.parent_path();
            appendOnce(containers, folder);
        }
    }
    return containers;
}

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

} // namespace

SearchRoots SearchRoots::current() {
    SearchRoots roots;
    if (QCoreApplication::instance() != nullptr) {
        roots.containers.push_back(QCoreApplication::applicationDirPath().toStdString());
    } else {
        std::error_code error;
        const fs::path executable = fs::read_symlink("/proc/self/exe", error);
        if (!error) {
            roots.containers.push_back(executable.parent_path());
        }
    }
    std::error_code error;
    roots.currentDirectory = fs::current_path(error);
    return roots;
}

std::vector<fs::path> candidateBundleURLs(const SearchRoots& roots) {
    std::vector<fs::path> bundles;
    for (const fs::path& container : candidateContainers(roots)) {
        appendOnce(bundles, container / bundleName);
    }
    return bundles;
}

std::vector<fs::path> candidateBundleURLs() {
    return candidateBundleURLs(SearchRoots::current());
}

std::optional<fs::path> url(const std::string& name, const std::string& extension,
                            const SearchRoots& roots) {
    const std::string fileName = name + "." + extension;
    const std::vector<fs::path> bundles = candidateBundleURLs(roots);
    const auto bundle = std::find_if(bundles.begin(), bundles.end(), isFolder);
    if (bundle != bundles.end() && isFile(*bundle / fileName)) {
        return *bundle / fileName;
    }
    std::vector<fs::path> folders;
    if (!roots.currentDirectory.empty()) {
        appendOnce(folders, roots.currentDirectory / developmentFolder);
    }
    for (const fs::path& candidate : bundles) {
        appendOnce(folders, candidate);
    }
    for (const fs::path& folder : folders) {
        if (isFile(folder / fileName)) {
            return folder / fileName;
        }
    }
    return std::nullopt;
}

std::optional<fs::path> url(const std::string& name, const std::string& extension) {
    return url(name, extension, SearchRoots::current());
}

} // namespace tessarin::TessarinResourceBundle
