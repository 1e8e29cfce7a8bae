#pragma once

#include "Platform/Program/ProgramBundleContents.h"
#include "Support/BundleIdentifier.h"

#include <QImage>
#include <optional>
#include <string>

namespace tessarin {

inline constexpr const char* kInstalledProgramBundlePath = "/Applications/Tessarin.app";

// Where the program runs from, as its main bundle reports it.
struct ProgramBundleInfo {
    // None: the main bundle has no identifier; it may also be an empty string.
    std::optional<std::string> identifier = std::string(kBundleIdentifier);
    std::string bundlePath = kInstalledProgramBundlePath;
    std::string executablePath =
        std::string(kInstalledProgramBundlePath) + "/Contents/MacOS/Tessarin";
    // Whether a copy sits at "/Applications/Tessarin.app" (also when it runs from elsewhere).
    bool installedInApplications = true;
    // Info.plist values and resource files; none: the build's own.
    std::optional<ProgramBundleContents> contents;
    friend bool operator==(const ProgramBundleInfo&, const ProgramBundleInfo&) = default;
};

// The program's own bundle and the files the system knows about it. Main-thread only.
class ProgramBundle {
public:
    explicit ProgramBundle(ProgramBundleInfo info) : info_(std::move(info)) {}

    const ProgramBundleInfo& info() const { return info_; }
    void setInfo(ProgramBundleInfo info) { info_ = std::move(info); }

    const std::optional<std::string>& identifier() const { return info_.identifier; }
    // The identifier, or the built-in one when the bundle has none.
    std::string resolvedIdentifier() const { return info_.identifier.value_or(kBundleIdentifier); }
    const std::string& bundlePath() const { return info_.bundlePath; }
    const std::string& executablePath() const { return info_.executablePath; }

    // The bundle, its executable and the installed copy exist; nothing else does.
    bool fileExists(const std::string& path) const;

    // The icon the workspace shows for a path: for the program's own bundle (and its installed
    // copy) the icon file its Info.plist names; for another bundle ending in ".app", or the own
    // one without an icon file, an application icon in a hue of the path's; a generic document
    // otherwise. Equal paths give equal pictures.
    QImage icon(const std::string& path, int size = 64) const;

    // Info.plist and resources, as the bundle's own lookups answer them.
    const ProgramBundleContents& contents() const;
    // Nothing when the Info.plist has no such key.
    const PropertyValue* infoValue(const std::string& key) const;
    // The resource file "name.extension" ("name" for an empty extension) in
    // "Contents/Resources", when the bundle has it.
    std::optional<std::string> pathForResource(const std::string& name,
                                               const std::string& extension) const;
    std::optional<QByteArray> contentsOfFile(const std::string& path) const;
    // The first resource named `name`, with or without an extension, that decodes as a picture.
    std::optional<QImage> imageNamed(const std::string& name) const;

private:
    std::string resourceFolder() const;
    // The picture of the icon file the Info.plist names, when the bundle has one that decodes.
    std::optional<QImage> bundleIcon() const;

    ProgramBundleInfo info_;
    mutable std::optional<ProgramBundleContents> builtContents_;
};

} // namespace tessarin
