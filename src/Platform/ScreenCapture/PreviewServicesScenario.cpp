#include "Platform/ScreenCapture/PreviewServicesScenario.h"

#include <charconv>
#include <cstdio>
#include <limits>

namespace tessarin {

namespace {

using Problem = std::optional<std::string>;

Problem problem(const std::string& path, const std::string& text) {
    return path + ": " + text;
}

std::optional<uint32_t> parseColor(const Json& value) {
    if (!value.is_string()) {
        return std::nullopt;
    }
    const auto& text = value.get_ref<const std::string&>();
    if (text.size() != 7 || text[0] != '#') {
        return std::nullopt;
    }
    uint32_t rgb = 0;
    const auto [end, error] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
    if (error != std::errc() || end != text.data() + 7) {
        return std::nullopt;
    }
    return rgb;
}

std::string colorText(uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", rgb & 0xffffff);
    return text;
}

std::optional<int32_t> parsePID(const std::string& key) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), value);
    if (error != std::errc() || end != key.data() + key.size() ||
        value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

const Json* member(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

Problem readIcon(const Json& value, const std::string& path,
                 std::optional<ApplicationIconSpec>& into) {
    if (value.is_null()) {
        into.reset();
        return std::nullopt;
    }
    ApplicationIconSpec look;
    const Json* color = value.is_object() ? member(value, "color") : &value;
    const auto rgb = color ? parseColor(*color) : std::nullopt;
    if (!rgb) {
        return problem(value.is_object() ? path + ".color" : path, "must be \"#rrggbb\"");
    }
    look.rgb = *rgb;
    if (const Json* size = value.is_object() ? member(value, "size") : nullptr) {
        if (!size->is_number_integer() || *size < 1 || *size > 1024) {
            return problem(path + ".size", "must be an integer from 1 to 1024");
        }
        look.size = size->get<int>();
    }
    into = look;
    return std::nullopt;
}

Problem readIcons(const Json& root, PreviewServicesScenario& scenario) {
    const Json* icons = member(root, "applicationIcons");
    if (icons == nullptr) {
        return std::nullopt;
    }
    if (!icons->is_object()) {
        return problem("applicationIcons", "must be an object");
    }
    for (const auto& [key, value] : icons->items()) {
        const std::string path = "applicationIcons." + key;
        const auto pid = parsePID(key);
        if (!pid) {
            return problem(path, "the key must be a process identifier");
        }
        if (auto error = readIcon(value, path, scenario.applicationIcons[*pid])) {
            return error;
        }
    }
    return std::nullopt;
}

Problem readPictures(const Json& root, PreviewServicesScenario& scenario) {
    const Json* pictures = member(root, "desktopPictures");
    if (pictures == nullptr) {
        return std::nullopt;
    }
    if (!pictures->is_object()) {
        return problem("desktopPictures", "must be an object");
    }
    for (const auto& [key, value] : pictures->items()) {
        DesktopPictureSpec look;
        if (value == "missing") {
            look.state = DesktopPictureState::missing;
        } else if (value == "unreadable") {
            look.state = DesktopPictureState::unreadable;
        } else if (const auto rgb = parseColor(value)) {
            look.rgb = *rgb;
        } else {
            return problem("desktopPictures." + key,
                           "must be \"#rrggbb\", \"missing\" or \"unreadable\"");
        }
        scenario.desktopPictures[key] = look;
    }
    return std::nullopt;
}

Problem readTitles(const Json& root, PreviewServicesScenario& scenario) {
    const Json* titles = member(root, "windowTitles");
    if (titles == nullptr) {
        return std::nullopt;
    }
    if (!titles->is_object()) {
        return problem("windowTitles", "must be an object");
    }
    for (const auto& [key, value] : titles->items()) {
        const std::string path = "windowTitles." + key;
        const auto pid = parsePID(key);
        if (!pid) {
            return problem(path, "the key must be a process identifier");
        }
        if (!value.is_object()) {
            return problem(path, "must be an object");
        }
        ApplicationWindowTitlesSpec look;
        for (const auto& [name, target] :
             {std::pair{"focused", &look.focused}, std::pair{"main", &look.main}}) {
            if (const Json* title = member(value, name)) {
                if (!title->is_string()) {
                    return problem(path + "." + name, "must be a string");
                }
                *target = title->get<std::string>();
            }
        }
        scenario.windowTitles[*pid] = std::move(look);
    }
    return std::nullopt;
}

Problem readExtras(const Json& root, PreviewServicesScenario& scenario) {
    const Json* extras = member(root, "windowListExtras");
    if (extras == nullptr) {
        return std::nullopt;
    }
    if (!extras->is_array()) {
        return problem("windowListExtras", "must be an array");
    }
    for (std::size_t i = 0; i < extras->size(); ++i) {
        const PropertyValueParseResult value = fromPlainJson((*extras)[i]);
        if (!value.value) {
            return problem("windowListExtras[" + std::to_string(i) + "]", value.error);
        }
        scenario.windowListExtras.push_back(*value.value);
    }
    return std::nullopt;
}

constexpr std::pair<const char*, ScreenCaptureOperation> kOperations[] = {
    {"shareableContent", ScreenCaptureOperation::shareableContent},
    {"display", ScreenCaptureOperation::display},
    {"window", ScreenCaptureOperation::window}};

Problem readFaults(const Json& root, PreviewServicesScenario& scenario) {
    const Json* capture = member(root, "screenCapture");
    if (capture == nullptr) {
        return std::nullopt;
    }
    if (!capture->is_object()) {
        return problem("screenCapture", "must be an object");
    }
    for (const auto& [key, value] : capture->items()) {
        const auto* known = std::find_if(std::begin(kOperations), std::end(kOperations),
                                         [&key](const auto& entry) { return key == entry.first; });
        if (known == std::end(kOperations)) {
            return problem("screenCapture." + key,
                           "must be \"shareableContent\", \"display\" or \"window\"");
        }
        if (value != "error" && value != "noImage") {
            return problem("screenCapture." + key, "must be \"error\" or \"noImage\"");
        }
        scenario.captureFaults[known->second] =
            value == "error" ? ScreenCaptureFault::error : ScreenCaptureFault::noImage;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> readPreviewServicesScenario(const Json& root,
                                                       PreviewServicesScenario& scenario) {
    for (const auto read : {readIcons, readPictures, readTitles, readExtras, readFaults}) {
        if (auto error = read(root, scenario)) {
            return error;
        }
    }
    return std::nullopt;
}

void writePreviewServicesScenario(const PreviewServicesScenario& scenario, Json& root) {
    if (!scenario.applicationIcons.empty()) {
        Json icons = Json::object();
        for (const auto& [pid, look] : scenario.applicationIcons) {
            icons[std::to_string(pid)] =
                look ? Json{{"color", colorText(look->rgb)}, {"size", look->size}} : Json();
        }
        root["applicationIcons"] = std::move(icons);
    }
    if (!scenario.desktopPictures.empty()) {
        Json pictures = Json::object();
        for (const auto& [uuid, look] : scenario.desktopPictures) {
            pictures[uuid] = look.state == DesktopPictureState::missing ? Json("missing")
                             : look.state == DesktopPictureState::unreadable
                                 ? Json("unreadable")
                                 : Json(colorText(look.rgb));
        }
        root["desktopPictures"] = std::move(pictures);
    }
    if (!scenario.windowTitles.empty()) {
        Json titles = Json::object();
        for (const auto& [pid, look] : scenario.windowTitles) {
            Json entry = Json::object();
            if (look.focused) {
                entry["focused"] = *look.focused;
            }
            if (look.main) {
                entry["main"] = *look.main;
            }
            titles[std::to_string(pid)] = std::move(entry);
        }
        root["windowTitles"] = std::move(titles);
    }
    if (!scenario.windowListExtras.empty()) {
        Json extras = Json::array();
        for (const PropertyValue& value : scenario.windowListExtras) {
            extras.push_back(toPlainJson(value));
        }
        root["windowListExtras"] = std::move(extras);
    }
    if (!scenario.captureFaults.empty()) {
        Json faults = Json::object();
        for (const auto& [name, operation] : kOperations) {
            if (const auto it = scenario.captureFaults.find(operation);
                it != scenario.captureFaults.end()) {
                faults[name] = it->second == ScreenCaptureFault::error ? "error" : "noImage";
            }
        }
        root["screenCapture"] = std::move(faults);
    }
}

} // namespace tessarin
