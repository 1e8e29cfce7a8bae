#include "Platform/Program/ProgramBundleContents.h"

#include "Platform/Program/ProgramBuildInfo.h"

#include <QFile>

namespace tessarin {

namespace {

// The program's icon as the build's resource bundle holds it: the picture the program draws in
// its own windows is the one its bundle carries.
std::optional<QByteArray> builtProgramIcon() {
    QFile file(QString::fromUtf8(ProgramBuildInfo::resourceBundlePath()) + "/AppIcon.png");
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

std::optional<std::string> readInfo(const Json& info, PropertyDictionary& into) {
    if (!info.is_object()) {
        return "program.info: must be an object";
    }
    for (const auto& [key, value] : info.items()) {
        PropertyValueParseResult parsed = fromPlainJson(value);
        if (!parsed.value) {
            return "program.info." + key + ": " +
                   (parsed.error.empty() ? std::string("must not be null") : parsed.error);
        }
        into[key] = std::move(*parsed.value);
    }
    return std::nullopt;
}

std::optional<std::string> readResources(const Json& resources,
                                         std::map<std::string, QByteArray>& into) {
    if (!resources.is_object()) {
        return "program.resources: must be an object";
    }
    for (const auto& [name, value] : resources.items()) {
        if (value.is_string()) {
            into[name] = QByteArray::fromStdString(value.get<std::string>());
            continue;
        }
        const auto base64 = value.is_object() ? value.find("base64") : value.end();
        if (!value.is_object() || base64 == value.end() || !base64->is_string()) {
            return "program.resources." + name + ": must be a text or {\"base64\": text}";
        }
        const auto decoded =
            QByteArray::fromBase64Encoding(QByteArray::fromStdString(base64->get<std::string>()),
                                           QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) {
            return "program.resources." + name + ".base64: must be base64";
        }
        into[name] = *decoded;
    }
    return std::nullopt;
}

} // namespace

ProgramBundleContents defaultProgramBundleContents() {
    ProgramBundleContents contents;
    contents.info = {{"CFBundleName", PropertyValue("Tessarin")},
                     {"CFBundleShortVersionString", PropertyValue(ProgramBuildInfo::version())},
                     {"CFBundleVersion", PropertyValue(ProgramBuildInfo::buildNumber())},
                     {"GitCommitHash", PropertyValue(ProgramBuildInfo::commit())},
                     {"CFBundleIconFile", PropertyValue("AppIcon")}};
    if (auto icon = builtProgramIcon()) {
        contents.resources["AppIcon.png"] = std::move(*icon);
    }
    return contents;
}

std::optional<std::string> readProgramBundleContents(const Json& program,
                                                     std::optional<ProgramBundleContents>& into) {
    const auto info = program.find("info");
    const auto resources = program.find("resources");
    if (info == program.end() && resources == program.end()) {
        return std::nullopt;
    }
    ProgramBundleContents contents = into.value_or(defaultProgramBundleContents());
    if (info != program.end()) {
        contents.info.clear();
        if (auto error = readInfo(*info, contents.info)) {
            return error;
        }
    }
    if (resources != program.end()) {
        contents.resources.clear();
        if (auto error = readResources(*resources, contents.resources)) {
            return error;
        }
    }
    into = std::move(contents);
    return std::nullopt;
}

void writeProgramBundleContents(const std::optional<ProgramBundleContents>& contents,
                                Json& program) {
    if (!contents) {
        return;
    }
    Json info = Json::object();
    for (const auto& [key, value] : contents->info) {
        info[key] = toPlainJson(value);
    }
    Json resources = Json::object();
    for (const auto& [name, bytes] : contents->resources) {
        resources[name] = {{"base64", bytes.toBase64().toStdString()}};
    }
    program["info"] = std::move(info);
    program["resources"] = std::move(resources);
}

} // namespace tessarin
