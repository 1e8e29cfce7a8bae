#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Support/Json.h"

#include <QByteArray>
#include <map>
#include <optional>
#include <string>

namespace tessarin {

// What the program's bundle holds beyond its paths: its Info.plist values and the files of its
// resource folder, by file name ("AppIcon.png").
struct ProgramBundleContents {
    PropertyDictionary info;
    std::map<std::string, QByteArray> resources;
    friend bool operator==(const ProgramBundleContents&, const ProgramBundleContents&) = default;
};

// The build's own: its version, build number and commit, and the application icon.
ProgramBundleContents defaultProgramBundleContents();

// The JSON form, members of the scenario's "program" object:
//   "info": {"<key>": plain JSON value}
//   "resources": {"<file name>": "<UTF-8 text>" | {"base64": "<bytes>"}}
// Either member replaces the build's own whole. Answers the first problem, or nothing.
std::optional<std::string> readProgramBundleContents(const Json& program,
                                                     std::optional<ProgramBundleContents>& into);
void writeProgramBundleContents(const std::optional<ProgramBundleContents>& contents,
                                Json& program);

} // namespace tessarin
