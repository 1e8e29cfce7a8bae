#include "Platform/SetupServicesScenario.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tessarin {

namespace {

constexpr std::array kLoginItemStatuses{LoginItemStatus::notRegistered, LoginItemStatus::enabled,
                                        LoginItemStatus::requiresApproval,
                                        LoginItemStatus::notFound};
constexpr std::array kRegistrations{LoginItemRegistration::enables,
                                    LoginItemRegistration::asksApproval,
                                    LoginItemRegistration::fails};

using Problem = std::optional<std::string>;

Problem problem(const std::string& path, const std::string& text) {
    return path + ": " + text;
}

const Json* member(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

Problem readString(const Json& object, const std::string& path, const char* key,
                   std::string& into) {
    const Json* value = member(object, key);
    if (value == nullptr) {
        return std::nullopt;
    }
    if (!value->is_string()) {
        return problem(path + "." + key, "must be a string");
    }
    into = value->get<std::string>();
    return std::nullopt;
}

template <typename Enum, std::size_t N>
Problem readChoice(const Json& object, const std::string& path, const char* key,
                   const std::array<Enum, N>& choices, Enum& into) {
    std::string text;
    if (const Json* value = member(object, key); value == nullptr) {
        return std::nullopt;
    }
    if (auto error = readString(object, path, key, text)) {
        return error;
    }
    for (const Enum choice : choices) {
        if (rawValue(choice) == text) {
            into = choice;
            return std::nullopt;
        }
    }
    std::string names;
    for (const Enum choice : choices) {
        names += (names.empty() ? "\"" : ", \"") + rawValue(choice) + "\"";
    }
    return problem(path + "." + key, "must be one of " + names);
}

Problem readPrivacy(const Json& root, SetupServicesScenario& scenario) {
    const Json* privacy = member(root, "privacy");
    if (privacy == nullptr) {
        return std::nullopt;
    }
    if (!privacy->is_object()) {
        return problem("privacy", "must be an object");
    }
    for (const auto& [service, bundles] : privacy->items()) {
        const std::string path = "privacy." + service;
        if (!PrivacyDatabase::isKnownService(service)) {
            return problem(path, "must be \"Accessibility\" or \"ScreenCapture\"");
        }
        if (!bundles.is_object()) {
            return problem(path, "must be an object");
        }
        for (const auto& [bundle, allowed] : bundles.items()) {
            if (!allowed.is_boolean()) {
                return problem(path + ".\"" + bundle + "\"", "must be true or false");
            }
            scenario.privacyDecisions[{service, bundle}] = allowed.get<bool>();
        }
    }
    return std::nullopt;
}

Problem readProgram(const Json& root, SetupServicesScenario& scenario) {
    const Json* program = member(root, "program");
    if (program == nullptr) {
        return std::nullopt;
    }
    if (!program->is_object()) {
        return problem("program", "must be an object");
    }
    ProgramBundleInfo& info = scenario.program;
    if (const Json* identifier = member(*program, "bundleIdentifier")) {
        if (identifier->is_null()) {
            info.identifier.reset();
        } else if (identifier->is_string()) {
            info.identifier = identifier->get<std::string>();
        } else {
            return problem("program.bundleIdentifier", "must be a string or null");
        }
    }
    if (auto error = readString(*program, "program", "bundlePath", info.bundlePath)) {
        return error;
    }
    if (auto error = readString(*program, "program", "executablePath", info.executablePath)) {
        return error;
    }
    if (const Json* installed = member(*program, "installedInApplications")) {
        if (!installed->is_boolean()) {
            return problem("program.installedInApplications", "must be true or false");
        }
        info.installedInApplications = installed->get<bool>();
    }
    return readProgramBundleContents(*program, info.contents);
}

Problem readLoginItem(const Json& root, SetupServicesScenario& scenario) {
    const Json* item = member(root, "loginItem");
    if (item == nullptr) {
        return std::nullopt;
    }
    if (!item->is_object()) {
        return problem("loginItem", "must be an object");
    }
    if (auto error = readChoice(*item, "loginItem", "status", kLoginItemStatuses,
                                scenario.loginItemStatus)) {
        return error;
    }
    if (auto error = readChoice(*item, "loginItem", "register", kRegistrations,
                                scenario.loginItemRegistration)) {
        return error;
    }
    if (member(*item, "failureMessage") != nullptr) {
        std::string message;
        if (auto error = readString(*item, "loginItem", "failureMessage", message)) {
            return error;
        }
        scenario.loginItemFailureMessage = message;
    }
    return std::nullopt;
}

Problem readSystemSettings(const Json& root, SetupServicesScenario& scenario) {
    const Json* settings = member(root, "systemSettings");
    if (settings == nullptr) {
        return std::nullopt;
    }
    if (!settings->is_object()) {
        return problem("systemSettings", "must be an object");
    }
    if (const Json* pid = member(*settings, "pid")) {
        if (!pid->is_number_integer() || pid->get<int64_t>() < 1 ||
            pid->get<int64_t>() > std::numeric_limits<int32_t>::max()) {
            return problem("systemSettings.pid", "must be a positive integer");
        }
        scenario.systemSettings.processIdentifier = static_cast<int32_t>(pid->get<int64_t>());
    }
    if (const Json* frame = member(*settings, "frame")) {
        const bool wellFormed =
            frame->is_array() && frame->size() == 4 &&
            std::all_of(frame->begin(), frame->end(), [](const Json& v) { return v.is_number(); });
        if (!wellFormed || (*frame)[2].get<double>() <= 0 || (*frame)[3].get<double>() <= 0) {
            return problem("systemSettings.frame", "must be [x, y, width, height] with a size");
        }
        scenario.systemSettings.windowFrame = {(*frame)[0].get<double>(), (*frame)[1].get<double>(),
                                               (*frame)[2].get<double>(),
                                               (*frame)[3].get<double>()};
    }
    return std::nullopt;
}

Problem readToolRun(const Json& entry, const std::string& path, ProcessRun& run) {
    if (!entry.is_object()) {
        return problem(path, "must be an object");
    }
    if (const Json* error = member(entry, "launchError")) {
        if (!error->is_string()) {
            return problem(path + ".launchError", "must be a string");
        }
        run.launchError = error->get<std::string>();
    }
    if (const Json* status = member(entry, "exitStatus")) {
        if (!status->is_number_integer() ||
            status->get<int64_t>() < std::numeric_limits<int32_t>::min() ||
            status->get<int64_t>() > std::numeric_limits<int32_t>::max()) {
            return problem(path + ".exitStatus", "must be a 32-bit integer");
        }
        run.exitStatus = static_cast<int32_t>(status->get<int64_t>());
    }
    return readString(entry, path, "output", run.output);
}

Problem readTools(const Json& root, SetupServicesScenario& scenario) {
    const Json* tools = member(root, "tools");
    if (tools == nullptr) {
        return std::nullopt;
    }
    if (!tools->is_object()) {
        return problem("tools", "must be an object");
    }
    for (const auto& [executable, entry] : tools->items()) {
        ProcessRun run;
        if (auto error = readToolRun(entry, "tools.\"" + executable + "\"", run)) {
            return error;
        }
        scenario.toolRuns[executable] = std::move(run);
    }
    return std::nullopt;
}

} // namespace

std::string rawValue(LoginItemStatus status) {
    switch (status) {
    case LoginItemStatus::notRegistered:
        return "notRegistered";
    case LoginItemStatus::enabled:
        return "enabled";
    case LoginItemStatus::requiresApproval:
        return "requiresApproval";
    case LoginItemStatus::notFound:
        return "notFound";
    }
    return "notFound";
}

std::string rawValue(LoginItemRegistration registration) {
    switch (registration) {
    case LoginItemRegistration::enables:
        return "enables";
    case LoginItemRegistration::asksApproval:
        return "asksApproval";
    case LoginItemRegistration::fails:
        return "fails";
    }
    return "fails";
}

std::optional<std::string> readSetupServicesScenario(const Json& root,
                                                     SetupServicesScenario& scenario) {
    for (auto read : {readPrivacy, readProgram, readLoginItem, readSystemSettings, readTools}) {
        if (auto error = read(root, scenario)) {
            return error;
        }
    }
    return std::nullopt;
}

void writeSetupServicesScenario(const SetupServicesScenario& scenario, Json& root) {
    Json privacy = Json::object();
    for (const auto& [key, allowed] : scenario.privacyDecisions) {
        privacy[key.first][key.second] = allowed;
    }
    root["privacy"] = std::move(privacy);
    const ProgramBundleInfo& program = scenario.program;
    root["program"] = {
        {"bundleIdentifier", program.identifier ? Json(*program.identifier) : Json()},
        {"bundlePath", program.bundlePath},
        {"executablePath", program.executablePath},
        {"installedInApplications", program.installedInApplications}};
    writeProgramBundleContents(program.contents, root["program"]);
    Json loginItem = {{"status", rawValue(scenario.loginItemStatus)},
                      {"register", rawValue(scenario.loginItemRegistration)}};
    if (scenario.loginItemFailureMessage) {
        loginItem["failureMessage"] = *scenario.loginItemFailureMessage;
    }
    root["loginItem"] = std::move(loginItem);
    const Rect& frame = scenario.systemSettings.windowFrame;
    root["systemSettings"] = {{"pid", scenario.systemSettings.processIdentifier},
                              {"frame", Json::array({frame.origin.x, frame.origin.y,
                                                     frame.size.width, frame.size.height})}};
    Json tools = Json::object();
    for (const auto& [executable, run] : scenario.toolRuns) {
        Json entry = {{"exitStatus", run.exitStatus}, {"output", run.output}};
        if (run.launchError) {
            entry["launchError"] = *run.launchError;
        }
        tools[executable] = std::move(entry);
    }
    root["tools"] = std::move(tools);
}

} // namespace tessarin
