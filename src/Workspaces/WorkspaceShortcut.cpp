#include "Workspaces/WorkspaceShortcut.h"

#include <limits>

namespace tessarin {

namespace {

Json targetAssignmentsJson(const std::map<WorkspaceTargetKey, int>& targets) {
    Json assignments = Json::array();
    for (const auto& [key, visualIndex] : targets) {
        assignments.push_back(Json{{"key", key.storageKey()}, {"visualIndex", visualIndex}});
    }
    return assignments;
}

std::map<WorkspaceTargetKey, int> targetsFromJson(const Json& json) {
    std::map<WorkspaceTargetKey, int> targets;
    const auto found = json.find("targetAssignments");
    if (found == json.end() || !found->is_array()) {
        return targets;
    }
    for (const Json& assignment : *found) {
        const auto keyText = jsonString(assignment, "key");
        const auto key = keyText ? WorkspaceTargetKey::fromStorageKey(*keyText) : std::nullopt;
        const auto visualIndex = jsonInteger(assignment, "visualIndex");
        if (!key || !visualIndex || *visualIndex < 0 ||
            *visualIndex > std::numeric_limits<int>::max()) {
            continue;
        }
        targets[*key] = static_cast<int>(*visualIndex);
    }
    return targets;
}

} // namespace

Json WorkspaceShortcut::toJson() const {
    Json json{{"id", id.uuidString()},
              {"name", name},
              {"systemShortcutOverrideEnabled", systemShortcutOverrideEnabled},
              {"targetAssignments", targetAssignmentsJson(targets)}};
    if (shortcut) {
        json["shortcut"] = shortcut->toJson();
    }
    return json;
}

std::optional<WorkspaceShortcut> WorkspaceShortcut::fromJson(const Json& json) {
    const auto idText = jsonString(json, "id");
    const auto id = idText ? Uuid::fromString(*idText) : std::nullopt;
    auto name = jsonString(json, "name");
    if (!id || !name) {
        return std::nullopt;
    }
    WorkspaceShortcut workspace;
    workspace.id = *id;
    workspace.name = std::move(*name);
    if (const auto found = json.find("shortcut"); found != json.end()) {
        workspace.shortcut = HotkeyCombination::fromJson(*found);
    }
    workspace.systemShortcutOverrideEnabled =
        jsonBool(json, "systemShortcutOverrideEnabled").value_or(false);
    workspace.targets = targetsFromJson(json);
    return workspace;
}

} // namespace tessarin
