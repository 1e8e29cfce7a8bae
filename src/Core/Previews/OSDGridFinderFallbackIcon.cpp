#include "Core/Previews/OSDGridFinderFallbackIcon.h"

#include "Core/Previews/OSDGridIconImage.h"
#include "UI/Resources/TessarinResourceBundle.h"

#include <system_error>

namespace tessarin::OSDGridFinderFallbackIcon {

std::optional<OSDGridAppIconEntry> loadEntry(const std::string& bundleIdentifier,
                                             const std::string& appDisplayName,
                                             const std::string& resourceName) {
    return loadEntry(bundleIdentifier, appDisplayName, resourceName,
                     TessarinResourceBundle::candidateBundleURLs());
}

std::optional<OSDGridAppIconEntry> loadEntry(const std::string& bundleIdentifier,
                                             const std::string& appDisplayName,
                                             const std::string& resourceName,
                                             const std::vector<std::filesystem::path>& bundles) {
    std::error_code error;
    for (const std::filesystem::path& bundle : bundles) {
        if (!std::filesystem::is_directory(bundle, error)) {
            continue;
        }
        const std::filesystem::path file = bundle / (resourceName + ".png");
        if (!std::filesystem::is_regular_file(file, error)) {
            return std::nullopt;
        }
        const QImage image(QString::fromStdString(file.string()), "PNG");
        if (image.isNull()) {
            return std::nullopt;
        }
        return OSDGridAppIconEntry{bundleIdentifier, appDisplayName, OSDGridIconImage::make(image)};
    }
    return std::nullopt;
}

std::map<int64_t, OSDGridAppIconEntry>
mergedIconMap(const std::map<int64_t, OSDGridAppIconEntry>& cachedIcons,
              const std::set<int64_t>& visitedIndices, int64_t spaceCount,
              const std::optional<OSDGridAppIconEntry>& finderEntry) {
    std::map<int64_t, OSDGridAppIconEntry> merged;
    if (spaceCount < 1) {
        return merged;
    }
    for (const auto& [index, entry] : cachedIcons) {
        if (index >= 0 && index < spaceCount) {
            merged.emplace(index, entry);
        }
    }
    if (finderEntry) {
        for (const int64_t index : visitedIndices) {
            if (index >= 0 && index < spaceCount && !merged.contains(index)) {
                merged.emplace(index, *finderEntry);
            }
        }
    }
    return merged;
}

} // namespace tessarin::OSDGridFinderFallbackIcon
