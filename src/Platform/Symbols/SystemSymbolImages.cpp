#include "Platform/Symbols/SystemSymbolImages.h"

#include "Platform/Program/ProgramBuildInfo.h"

#include <QCoreApplication>
#include <system_error>

namespace tessarin {

namespace {

constexpr int kAncestorsSearched = 5;

std::vector<std::filesystem::path> defaultRoots() {
    std::vector<std::filesystem::path> roots;
    if (QCoreApplication::instance() != nullptr) {
        roots.emplace_back(QCoreApplication::applicationDirPath().toStdString());
    }
    std::error_code error;
    const auto current = std::filesystem::current_path(error);
    if (!error) {
        roots.push_back(current);
    }
    // Last, the folder of the build's own copy of the bundle.
    if (const std::filesystem::path built = ProgramBuildInfo::resourceBundlePath();
        !built.empty()) {
        roots.push_back(built.parent_path());
    }
    return roots;
}

} // namespace

std::optional<std::filesystem::path> SystemSymbolImages::file(const std::string& name) const {
    const std::string fileName = "symbol." + name + ".png";
    for (std::filesystem::path folder : roots_.value_or(defaultRoots())) {
        for (int level = 0; level <= kAncestorsSearched && !folder.empty(); ++level) {
            const auto candidate = folder / bundleName / fileName;
            std::error_code error;
            if (std::filesystem::is_regular_file(candidate, error)) {
                return candidate;
            }
            if (folder == folder.parent_path()) {
                break;
            }
            folder = folder.parent_path();
        }
    }
    return std::nullopt;
}

std::optional<QImage> SystemSymbolImages::image(const std::string& name) const {
    affinity_.check();
    if (name.empty() || withdrawn_.count(name) > 0) {
        return std::nullopt;
    }
    if (const auto cached = cache_.find(name); cached != cache_.end()) {
        return cached->second;
    }
    const auto path = file(name);
    if (!path) {
        return std::nullopt;
    }
    QImage image(QString::fromStdString(path->string()));
    if (image.isNull()) {
        return std::nullopt;
    }
    cache_.emplace(name, image);
    return image;
}

} // namespace tessarin
