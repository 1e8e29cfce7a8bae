#include "Platform/Scenario.h"

#include "Platform/Preferences/PropertyValue.h"
#include "Support/Text.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>

namespace tessarin {

namespace {

// Reads one scenario, stopping at the first problem, which it describes with the path of the
// offending member ("spaces[1].spaces[0].id").
class ScenarioReader {
public:
    std::string error;

    bool fail(const std::string& path, const std::string& problem) {
        if (error.empty()) {
            error = (path.empty() ? std::string() : path + ": ") + problem;
        }
        return false;
    }

    const Json* member(const Json& object, const std::string& path, const char* key,
                       bool required) {
        const auto it = object.find(key);
        if (it == object.end() || it->is_null()) {
            if (required) {
                fail(path, std::string("missing \"") + key + "\"");
            }
            return nullptr;
        }
        return &*it;
    }

    bool object(const Json& value, const std::string& path) {
        return value.is_object() || fail(path, "must be an object");
    }

    bool array(const Json& value, const std::string& path) {
        return value.is_array() || fail(path, "must be an array");
    }

    std::optional<std::string> string(const Json& object, const std::string& path, const char* key,
                                      bool required) {
        const Json* value = member(object, path, key, required);
        if (value == nullptr) {
            return std::nullopt;
        }
        if (!value->is_string()) {
            fail(join(path, key), "must be a string");
            return std::nullopt;
        }
        return value->get<std::string>();
    }

    std::optional<bool> boolean(const Json& object, const std::string& path, const char* key) {
        const Json* value = member(object, path, key, false);
        if (value == nullptr) {
            return std::nullopt;
        }
        if (!value->is_boolean()) {
            fail(join(path, key), "must be true or false");
            return std::nullopt;
        }
        return value->get<bool>();
    }

    std::optional<double> number(const Json& object, const std::string& path, const char* key,
                                 bool required) {
        const Json* value = member(object, path, key, required);
        if (value == nullptr) {
            return std::nullopt;
        }
        if (!value->is_number()) {
            fail(join(path, key), "must be a number");
            return std::nullopt;
        }
        return value->get<double>();
    }

    // An integer within [minimum, maximum].
    std::optional<int64_t> integer(const Json& object, const std::string& path, const char* key,
                                   bool required, int64_t minimum, int64_t maximum) {
        const Json* value = member(object, path, key, required);
        if (value == nullptr) {
            return std::nullopt;
        }
        return integerValue(*value, join(path, key), minimum, maximum);
    }

    std::optional<int64_t> integerValue(const Json& value, const std::string& path, int64_t minimum,
                                        int64_t maximum) {
        if (!value.is_number_integer()) {
            fail(path, "must be an integer");
            return std::nullopt;
        }
        const bool inRange =
            value.is_number_unsigned()
                ? withinRange(value.get<uint64_t>(), minimum, maximum)
                : value.get<int64_t>() >= minimum && value.get<int64_t>() <= maximum;
        if (!inRange) {
            fail(path,
                 "must be between " + std::to_string(minimum) + " and " + std::to_string(maximum));
            return std::nullopt;
        }
        return value.is_number_unsigned() ? static_cast<int64_t>(value.get<uint64_t>())
                                          : value.get<int64_t>();
    }

    // A number written without a sign is read as unsigned: both ends are checked for it too.
    static bool withinRange(uint64_t number, int64_t minimum, int64_t maximum) {
        return maximum >= 0 && number <= static_cast<uint64_t>(maximum) &&
               (minimum <= 0 || number >= static_cast<uint64_t>(minimum));
    }

    // [x, y, width, height].
    std::optional<Rect> rect(const Json& object, const std::string& path, const char* key,
                             bool required) {
        const Json* value = member(object, path, key, required);
        if (value == nullptr) {
            return std::nullopt;
        }
        if (!value->is_array() || value->size() != 4 ||
            !std::all_of(value->begin(), value->end(),
                         [](const Json& v) { return v.is_number(); })) {
            fail(join(path, key), "must be [x, y, width, height]");
            return std::nullopt;
        }
        return Rect{(*value)[0].get<double>(), (*value)[1].get<double>(), (*value)[2].get<double>(),
                    (*value)[3].get<double>()};
    }

    // A rectangle a display can have: its origin within the coordinate bounds and each side from
    // one point to the largest display side, so that every display can be drawn.
    std::optional<Rect> displayRect(const Json& object, const std::string& path, const char* key,
                                    bool required) {
        const auto r = rect(object, path, key, required);
        if (!r) {
            return std::nullopt;
        }
        if (!withinCoordinateBounds(r->origin)) {
            fail(join(path, key), coordinateBoundsProblem());
            return std::nullopt;
        }
        if (!(isDisplaySide(r->size.width) && isDisplaySide(r->size.height))) {
            fail(join(path, key), "width and height must be between 1 and " +
                                      std::to_string(kMaxScenarioDisplaySide));
            return std::nullopt;
        }
        return r;
    }

    // [x, y] within the coordinate bounds.
    std::optional<Point> point(const Json& object, const std::string& path, const char* key) {
        const Json* value = member(object, path, key, false);
        if (value == nullptr) {
            return std::nullopt;
        }
        if (!value->is_array() || value->size() != 2 || !(*value)[0].is_number() ||
            !(*value)[1].is_number()) {
            fail(join(path, key), "must be [x, y]");
            return std::nullopt;
        }
        const Point p{(*value)[0].get<double>(), (*value)[1].get<double>()};
        if (!withinCoordinateBounds(p)) {
            fail(join(path, key), coordinateBoundsProblem());
            return std::nullopt;
        }
        return p;
    }

    // Written so that NaN, which compares false, is outside too.
    static bool withinCoordinateBounds(Point p) {
        const auto within = [](double v) {
            return v >= -kMaxScenarioCoordinate && v <= kMaxScenarioCoordinate;
        };
        return within(p.x) && within(p.y);
    }
    static bool isDisplaySide(double side) { return side >= 1 && side <= kMaxScenarioDisplaySide; }
    static std::string coordinateBoundsProblem() {
        return "x and y must be between -" + std::to_string(kMaxScenarioCoordinate) + " and " +
               std::to_string(kMaxScenarioCoordinate);
    }

    static std::string join(const std::string& path, const char* key) {
        return path.empty() ? std::string(key) : path + "." + key;
    }
    static std::string index(const std::string& path, std::size_t i) {
        return path + "[" + std::to_string(i) + "]";
    }
};

constexpr int64_t kInt32Max = 2147483647;
constexpr int64_t kInt32Min = -2147483648LL;
constexpr int64_t kUInt32Max = 4294967295LL;
constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();

// "65 displays; a scenario may have at most 64".
std::string tooMany(std::size_t count, std::size_t bound, const char* what, const char* holder) {
    return std::to_string(count) + " " + what + "; " + holder + " may have at most " +
           std::to_string(bound);
}

bool readDisplays(ScenarioReader& r, const Json& root, Scenario& scenario) {
    const Json* displays = r.member(root, "", "displays", true);
    if (displays == nullptr || !r.array(*displays, "displays")) {
        return false;
    }
    if (displays->empty()) {
        return r.fail("displays", "needs at least one display");
    }
    if (displays->size() > kMaxScenarioDisplays) {
        return r.fail("displays",
                      tooMany(displays->size(), kMaxScenarioDisplays, "displays", "a scenario"));
    }
    std::set<DisplayID> ids;
    std::set<std::string> uuids;
    for (std::size_t i = 0; i < displays->size(); ++i) {
        const std::string path = ScenarioReader::index("displays", i);
        const Json& entry = (*displays)[i];
        if (!r.object(entry, path)) {
            return false;
        }
        Screen screen;
        const auto id = r.integer(entry, path, "id", true, 1, kUInt32Max);
        const auto uuid = r.string(entry, path, "uuid", true);
        const auto name = r.string(entry, path, "name", false);
        const auto frame = r.displayRect(entry, path, "frame", true);
        const auto visible = r.displayRect(entry, path, "visibleFrame", false);
        const auto scale = r.number(entry, path, "scale", false);
        if (!r.error.empty()) {
            return false;
        }
        if (!ids.insert(static_cast<DisplayID>(*id)).second) {
            return r.fail(path + ".id", "duplicate display ID " + std::to_string(*id));
        }
        if (uuid->empty() || !uuids.insert(*uuid).second) {
            return r.fail(path + ".uuid",
                          uuid->empty() ? "must not be empty" : "duplicate display UUID " + *uuid);
        }
        if (*uuid == kSharedSpacesDisplayIdentifier) {
            return r.fail(path + ".uuid", "\"Main\" names the shared Spaces, not a display");
        }
        if (scale && *scale <= 0) {
            return r.fail(path + ".scale", "must be above 0");
        }
        screen.displayID = static_cast<DisplayID>(*id);
        screen.uuid = *uuid;
        screen.localizedName = name.value_or("Display " + std::to_string(*id));
        screen.frame = *frame;
        screen.visibleFrame = visible.value_or(*frame);
        screen.backingScaleFactor = scale.value_or(2.0);
        scenario.displays.push_back(std::move(screen));
    }
    return true;
}

bool readSpaces(ScenarioReader& r, const Json& root, Scenario& scenario) {
    if (const auto separate = r.boolean(root, "", "separateSpaces")) {
        scenario.displaysHaveSeparateSpaces = *separate;
    }
    const Json* lists = r.member(root, "", "spaces", true);
    if (!r.error.empty() || lists == nullptr || !r.array(*lists, "spaces")) {
        return false;
    }
    std::set<SpaceID> allIDs;
    std::set<std::string> listIdentifiers;
    for (std::size_t i = 0; i < lists->size(); ++i) {
        const std::string path = ScenarioReader::index("spaces", i);
        const Json& entry = (*lists)[i];
        if (!r.object(entry, path)) {
            return false;
        }
        ScenarioSpaceList list;
        const auto display = r.string(entry, path, "display", true);
        const auto current = r.integer(entry, path, "current", false, 1, kInt64Max);
        const Json* spaces = r.member(entry, path, "spaces", true);
        if (!r.error.empty() || !r.array(*spaces, path + ".spaces")) {
            return false;
        }
        if (!listIdentifiers.insert(*display).second) {
            return r.fail(path + ".display", "a second Space list for " + *display);
        }
        if (scenario.displaysHaveSeparateSpaces) {
            const bool known = std::any_of(scenario.displays.begin(), scenario.displays.end(),
                                           [&](const Screen& s) { return s.uuid == *display; });
            if (!known) {
                return r.fail(path + ".display",
                              "\"" + *display + "\" is not the UUID of a display");
            }
        } else if (*display != kSharedSpacesDisplayIdentifier) {
            return r.fail(path + ".display",
                          "with shared Spaces the only list is \"Main\", not \"" + *display + "\"");
        }
        list.displayIdentifier = *display;
        if (spaces->empty()) {
            return r.fail(path + ".spaces", "needs at least one Space");
        }
        if (spaces->size() > kMaxScenarioSpacesPerDisplay) {
            return r.fail(path + ".spaces", tooMany(spaces->size(), kMaxScenarioSpacesPerDisplay,
                                                    "Spaces", "a display"));
        }
        bool hasDesktop = false;
        for (std::size_t j = 0; j < spaces->size(); ++j) {
            const std::string spacePath = ScenarioReader::index(path + ".spaces", j);
            const Json& spaceEntry = (*spaces)[j];
            if (!r.object(spaceEntry, spacePath)) {
                return false;
            }
            ScenarioSpace space;
            const auto id = r.integer(spaceEntry, spacePath, "id", true, 1, kInt64Max);
            const auto type = r.integer(spaceEntry, spacePath, "type", false, 0, kInt32Max);
            const auto uuid = r.string(spaceEntry, spacePath, "uuid", false);
            const auto title = r.string(spaceEntry, spacePath, "title", false);
            if (!r.error.empty()) {
                return false;
            }
            if (!allIDs.insert(static_cast<SpaceID>(*id)).second) {
                return r.fail(spacePath + ".id", "duplicate Space ID " + std::to_string(*id));
            }
            if (type && *type != kSpaceTypeUserDesktop && *type != kSpaceTypeFullScreen) {
                return r.fail(spacePath + ".type", "must be 0 (desktop) or 4 (full screen), not " +
                                                       std::to_string(*type));
            }
            space.id = static_cast<SpaceID>(*id);
            space.type = static_cast<int>(type.value_or(kSpaceTypeUserDesktop));
            space.uuid = uuid.value_or("");
            space.title = title;
            hasDesktop = hasDesktop || space.type == kSpaceTypeUserDesktop;
            list.spaces.push_back(std::move(space));
        }
        if (!hasDesktop) {
            return r.fail(path + ".spaces", "needs at least one desktop (type 0)");
        }
        if (current) {
            const bool inList =
                std::any_of(list.spaces.begin(), list.spaces.end(),
                            [&](const ScenarioSpace& s) { return s.id == SpaceID(*current); });
            if (!inList) {
                return r.fail(path + ".current",
                              "Space " + std::to_string(*current) + " is not in this list");
            }
            list.currentSpace = static_cast<SpaceID>(*current);
        } else {
            list.currentSpace = list.spaces.front().id;
        }
        scenario.spaceLists.push_back(std::move(list));
    }
    if (scenario.displaysHaveSeparateSpaces) {
        for (const Screen& screen : scenario.displays) {
            if (listIdentifiers.count(screen.uuid) == 0) {
                return r.fail("spaces", "no Space list for display " + screen.uuid);
            }
        }
    } else if (listIdentifiers.count(kSharedSpacesDisplayIdentifier) == 0) {
        return r.fail("spaces", "with shared Spaces a list \"Main\" is needed");
    }
    return true;
}

bool readApplications(ScenarioReader& r, const Json& root, Scenario& scenario) {
    const Json* applications = r.member(root, "", "applications", false);
    if (applications == nullptr) {
        return r.error.empty();
    }
    if (!r.array(*applications, "applications")) {
        return false;
    }
    std::set<int32_t> pids;
    for (std::size_t i = 0; i < applications->size(); ++i) {
        const std::string path = ScenarioReader::index("applications", i);
        const Json& entry = (*applications)[i];
        if (!r.object(entry, path)) {
            return false;
        }
        const auto pid = r.integer(entry, path, "pid", true, 1, kInt32Max);
        const auto bundle = r.string(entry, path, "bundleIdentifier", false);
        const auto name = r.string(entry, path, "name", true);
        const auto frontmost = r.boolean(entry, path, "frontmost");
        if (!r.error.empty()) {
            return false;
        }
        if (!pids.insert(static_cast<int32_t>(*pid)).second) {
            return r.fail(path + ".pid", "duplicate process identifier " + std::to_string(*pid));
        }
        if (frontmost.value_or(false)) {
            if (scenario.frontmostApplication) {
                return r.fail(path + ".frontmost", "only one application can be frontmost");
            }
            scenario.frontmostApplication = static_cast<int32_t>(*pid);
        }
        scenario.applications.push_back({static_cast<int32_t>(*pid), bundle, name});
    }
    return true;
}

bool readWindows(ScenarioReader& r, const Json& root, Scenario& scenario) {
    const Json* windows = r.member(root, "", "windows", false);
    if (windows == nullptr) {
        return r.error.empty();
    }
    if (!r.array(*windows, "windows")) {
        return false;
    }
    if (windows->size() > kMaxScenarioWindows) {
        return r.fail("windows",
                      tooMany(windows->size(), kMaxScenarioWindows, "windows", "a scenario"));
    }
    std::map<int32_t, const RunningApplication*> applicationsByPID;
    for (const RunningApplication& application : scenario.applications) {
        applicationsByPID.emplace(application.processIdentifier, &application);
    }
    std::set<SpaceID> spaceIDs;
    for (const ScenarioSpaceList& list : scenario.spaceLists) {
        for (const ScenarioSpace& space : list.spaces) {
            spaceIDs.insert(space.id);
        }
    }
    std::set<WindowID> numbers;
    for (std::size_t i = 0; i < windows->size(); ++i) {
        const std::string path = ScenarioReader::index("windows", i);
        const Json& entry = (*windows)[i];
        if (!r.object(entry, path)) {
            return false;
        }
        ServerWindow window;
        const auto number = r.integer(entry, path, "id", false, 1, kUInt32Max);
        const auto pid = r.integer(entry, path, "pid", true, kInt32Min, kInt32Max);
        const auto owner = r.string(entry, path, "owner", false);
        const auto title = r.string(entry, path, "title", false);
        const auto bounds = r.rect(entry, path, "bounds", true);
        const auto layer = r.integer(entry, path, "layer", false, kInt32Min, kInt32Max);
        const auto alpha = r.number(entry, path, "alpha", false);
        const auto sharing = r.integer(entry, path, "sharingState", false, 0, 2);
        const auto sticky = r.boolean(entry, path, "sticky");
        const auto orderedOut = r.boolean(entry, path, "orderedOut");
        const Json* spaces = r.member(entry, path, "spaces", false);
        if (!r.error.empty()) {
            return false;
        }
        if (number && !numbers.insert(static_cast<WindowID>(*number)).second) {
            return r.fail(path + ".id", "duplicate window number " + std::to_string(*number));
        }
        const auto application = applicationsByPID.find(static_cast<int32_t>(*pid));
        if (!owner && application == applicationsByPID.end()) {
            return r.fail(path + ".pid", "no application has process identifier " +
                                             std::to_string(*pid) + " and no \"owner\" is given");
        }
        if (alpha && (*alpha < 0 || *alpha > 1)) {
            return r.fail(path + ".alpha", "must be between 0 and 1");
        }
        if (spaces != nullptr) {
            if (!r.array(*spaces, path + ".spaces")) {
                return false;
            }
            for (std::size_t j = 0; j < spaces->size(); ++j) {
                const std::string spacePath = ScenarioReader::index(path + ".spaces", j);
                const auto id = r.integerValue((*spaces)[j], spacePath, 1, kInt64Max);
                if (!id) {
                    return false;
                }
                if (spaceIDs.count(static_cast<SpaceID>(*id)) == 0) {
                    return r.fail(spacePath, "no Space has ID " + std::to_string(*id));
                }
                window.spaces.push_back(static_cast<SpaceID>(*id));
            }
        }
        if (window.spaces.empty() && !sticky.value_or(false)) {
            return r.fail(path, "a window needs \"spaces\" unless it is sticky");
        }
        window.number = static_cast<WindowID>(number.value_or(0));
        window.ownerPID = static_cast<int32_t>(*pid);
        window.ownerName = owner ? *owner : application->second->localizedName.value_or("");
        window.name = title;
        window.bounds = *bounds;
        window.layer = static_cast<int>(layer.value_or(0));
        window.alpha = alpha.value_or(1.0);
        window.sharingState = static_cast<int>(sharing.value_or(1));
        window.isSticky = sticky.value_or(false);
        window.isOrderedOut = orderedOut.value_or(false);
        scenario.windows.push_back(std::move(window));
    }
    return true;
}

bool readSystem(ScenarioReader& r, const Json& root, Scenario& scenario) {
    if (const auto display = r.integer(root, "", "activeMenuBarDisplay", false, 1, kUInt32Max)) {
        const bool known =
            std::any_of(scenario.displays.begin(), scenario.displays.end(),
                        [&](const Screen& s) { return s.displayID == DisplayID(*display); });
        if (!known) {
            return r.fail("activeMenuBarDisplay", "no display has ID " + std::to_string(*display));
        }
        scenario.activeMenuBarDisplay = static_cast<DisplayID>(*display);
    }
    scenario.mouseLocation = r.point(root, "", "mouseLocation");
    if (const Json* permissions = r.member(root, "", "permissions", false)) {
        if (!r.object(*permissions, "permissions")) {
            return false;
        }
        scenario.accessibilityTrusted =
            r.boolean(*permissions, "permissions", "accessibility").value_or(true);
        scenario.screenCaptureAllowed =
            r.boolean(*permissions, "permissions", "screenCapture").value_or(true);
    }
    if (const Json* version = r.member(root, "", "operatingSystemVersion", false)) {
        const bool wellFormed =
            version->is_array() && version->size() >= 1 && version->size() <= 3 &&
            std::all_of(version->begin(), version->end(), [](const Json& v) {
                return v.is_number_integer() && v.get<int64_t>() >= 0 && v.get<int64_t>() < 1000;
            });
        if (!wellFormed) {
            return r.fail("operatingSystemVersion", "must be [major, minor, patch]");
        }
        scenario.operatingSystemVersion = {
            static_cast<int>((*version)[0].get<int64_t>()),
            version->size() > 1 ? static_cast<int>((*version)[1].get<int64_t>()) : 0,
            version->size() > 2 ? static_cast<int>((*version)[2].get<int64_t>()) : 0};
    }
    if (const auto appearance = r.string(root, "", "appearance", false)) {
        if (*appearance != "light" && *appearance != "dark") {
            return r.fail("appearance", "must be \"light\" or \"dark\"");
        }
        scenario.appearance = *appearance == "dark" ? Appearance::dark : Appearance::light;
    }
    if (const auto duration = r.number(root, "", "dockAnimationDuration", false)) {
        if (*duration < 0) {
            return r.fail("dockAnimationDuration", "must not be negative");
        }
        scenario.dockAnimationDuration = *duration;
    }
    if (const auto dock = r.integer(root, "", "dockProcessIdentifier", false, 1, kInt32Max)) {
        scenario.dockProcessIdentifier = static_cast<int32_t>(*dock);
    }
    if (const auto multitouch = r.boolean(root, "", "multitouchFramework")) {
        scenario.multitouchFramework = *multitouch;
    }
    return r.error.empty();
}

bool readPreferenceDomains(ScenarioReader& r, const Json& root, Scenario& scenario) {
    const Json* domains = r.member(root, "", "preferenceDomains", false);
    if (domains == nullptr) {
        return r.error.empty();
    }
    if (!r.object(*domains, "preferenceDomains")) {
        return false;
    }
    for (const auto& [name, values] : domains->items()) {
        const std::string path = "preferenceDomains.\"" + name + "\"";
        if (name.empty()) {
            return r.fail(path, "a domain needs a name");
        }
        if (!r.object(values, path)) {
            return false;
        }
        // Checked here so that a host is never built on half of a domain.
        const auto converted = fromPlainJson(values);
        if (!converted.value) {
            return r.fail(path, converted.error);
        }
        scenario.preferenceDomains[name] = values;
    }
    return true;
}

// The refusal is printed as one line: bytes of the file or its name that are no printable UTF-8
// are written as the log writes them.
ScenarioParseResult refusal(const std::string& line) {
    return {std::nullopt, escapingUnprintable(line)};
}

Json rectJson(const Rect& rect) {
    return Json::array({rect.origin.x, rect.origin.y, rect.size.width, rect.size.height});
}

} // namespace

ScenarioParseResult parseScenario(const Json& json, const std::string& sourceName) {
    ScenarioReader reader;
    Scenario scenario;
    if (!json.is_object()) {
        reader.fail("", "a scenario must be a JSON object");
    } else {
        (void)(readDisplays(reader, json, scenario) && readSpaces(reader, json, scenario) &&
               readApplications(reader, json, scenario) && readWindows(reader, json, scenario) &&
               readSystem(reader, json, scenario) && readPreferenceDomains(reader, json, scenario));
        // Setup services.
        if (reader.error.empty()) {
            if (const auto error = readSetupServicesScenario(json, scenario.setupServices)) {
                reader.fail("", *error);
            }
        }
        // Window previews.
        if (reader.error.empty()) {
            if (const auto error = readPreviewServicesScenario(json, scenario.previewServices)) {
                reader.fail("", *error);
            }
        }
    }
    if (!reader.error.empty()) {
        return refusal(sourceName + ": " + reader.error);
    }
    return {std::move(scenario), {}};
}

ScenarioParseResult parseScenarioText(std::string_view text, const std::string& sourceName) {
    const JsonParseResult json = parseJson(text);
    if (!json) {
        const std::string problem =
            json.member.empty() ? "malformed JSON: " + json.error : json.member + ": " + json.error;
        return refusal(sourceName + ": " + problem);
    }
    return parseScenario(*json.value, sourceName);
}

ScenarioParseResult loadScenarioFile(const std::filesystem::path& path) {
    const JsonParseResult json = readJsonFile(path);
    if (!json) {
        // The reader names the file already.
        return refusal(json.error);
    }
    return parseScenario(*json.value, path.string());
}

Json scenarioToJson(const Scenario& scenario) {
    Json root = Json::object();
    Json displays = Json::array();
    for (const Screen& screen : scenario.displays) {
        displays.push_back({{"id", screen.displayID},
                            {"uuid", screen.uuid},
                            {"name", screen.localizedName},
                            {"frame", rectJson(screen.frame)},
                            {"visibleFrame", rectJson(screen.visibleFrame)},
                            {"scale", screen.backingScaleFactor}});
    }
    root["displays"] = std::move(displays);
    root["separateSpaces"] = scenario.displaysHaveSeparateSpaces;
    Json lists = Json::array();
    for (const ScenarioSpaceList& list : scenario.spaceLists) {
        Json spaces = Json::array();
        for (const ScenarioSpace& space : list.spaces) {
            Json entry = {{"id", space.id}, {"type", space.type}};
            if (!space.uuid.empty()) {
                entry["uuid"] = space.uuid;
            }
            if (space.title) {
                entry["title"] = *space.title;
            }
            spaces.push_back(std::move(entry));
        }
        lists.push_back({{"display", list.displayIdentifier},
                         {"current", list.currentSpace},
                         {"spaces", spaces}});
    }
    root["spaces"] = std::move(lists);
    if (scenario.activeMenuBarDisplay) {
        root["activeMenuBarDisplay"] = *scenario.activeMenuBarDisplay;
    }
    if (scenario.mouseLocation) {
        root["mouseLocation"] = Json::array({scenario.mouseLocation->x, scenario.mouseLocation->y});
    }
    Json applications = Json::array();
    for (const RunningApplication& application : scenario.applications) {
        Json entry = {{"pid", application.processIdentifier},
                      {"name", application.localizedName.value_or("")}};
        if (application.bundleIdentifier) {
            entry["bundleIdentifier"] = *application.bundleIdentifier;
        }
        if (scenario.frontmostApplication == application.processIdentifier) {
            entry["frontmost"] = true;
        }
        applications.push_back(std::move(entry));
    }
    root["applications"] = std::move(applications);
    Json windows = Json::array();
    for (const ServerWindow& window : scenario.windows) {
        Json entry = {{"pid", window.ownerPID},
                      {"owner", window.ownerName},
                      {"bounds", rectJson(window.bounds)},
                      {"layer", window.layer},
                      {"alpha", window.alpha},
                      {"sharingState", window.sharingState},
                      {"spaces", window.spaces},
                      {"sticky", window.isSticky},
                      {"orderedOut", window.isOrderedOut}};
        if (window.number != 0) {
            entry["id"] = window.number;
        }
        if (window.name) {
            entry["title"] = *window.name;
        }
        windows.push_back(std::move(entry));
    }
    root["windows"] = std::move(windows);
    root["permissions"] = {{"accessibility", scenario.accessibilityTrusted},
                           {"screenCapture", scenario.screenCaptureAllowed}};
    root["operatingSystemVersion"] = Json::array({scenario.operatingSystemVersion.majorVersion,
                                                  scenario.operatingSystemVersion.minorVersion,
                                                  scenario.operatingSystemVersion.patchVersion});
    root["appearance"] = scenario.appearance == Appearance::dark ? "dark" : "light";
    Json domains = Json::object();
    for (const auto& [name, values] : scenario.preferenceDomains) {
        domains[name] = values;
    }
    root["preferenceDomains"] = std::move(domains);
    root["dockAnimationDuration"] = scenario.dockAnimationDuration;
    root["dockProcessIdentifier"] = scenario.dockProcessIdentifier;
    root["multitouchFramework"] = scenario.multitouchFramework;
    // Setup services.
    writeSetupServicesScenario(scenario.setupServices, root);
    // Window previews.
    writePreviewServicesScenario(scenario.previewServices, root);
    return root;
}

} // namespace tessarin
