#include "Workspaces/WorkspaceShortcutStore.h"

#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Logger.h"
#include "Support/Text.h"

#include <algorithm>

namespace tessarin {

namespace {

const Logger& logger() {
    static const Logger instance("SpaceSwitch");
    return instance;
}

// The stored list as JSON text: written as data, also read back from a string.
std::optional<std::string> storedText(const PropertyValue& value) {
    if (const auto data = value.dataValue()) {
        return std::string(data->begin(), data->end());
    }
    return value.stringValue();
}

std::string nameOrDefault(const std::optional<std::string>& name, std::size_t position) {
    if (name) {
        std::string trimmed = trimmingWhitespaceAndNewlines(*name);
        if (!trimmed.empty()) {
            return trimmed;
        }
    }
    return WorkspaceShortcutStore::defaultName(position);
}

} // namespace

WorkspaceShortcutStore::WorkspaceShortcutStore(UserDefaults& defaults) : defaults_(defaults) {
    load();
}

WorkspaceShortcutStore& WorkspaceShortcutStore::shared() {
    return Host::current().sharedInstance<WorkspaceShortcutStore>(
        [](Host& host) { return std::make_shared<WorkspaceShortcutStore>(host.defaults()); });
}

std::string WorkspaceShortcutStore::defaultName(std::size_t position) {
    return "Workspace " + std::to_string(position + 1);
}

void WorkspaceShortcutStore::load() {
    workspaces_.clear();
    const auto value = defaults_.object(kStorageKey);
    if (!value) {
        return;
    }
    const auto text = storedText(*value);
    const auto parsed = text ? parseJson(*text) : JsonParseResult{};
    if (!parsed || !parsed.value->is_array()) {
        logger().error(std::string("workspaces.load.failed reason=") +
                       (text ? "not-a-json-list" : "unexpected-type") +
                       " type=" + value->typeName());
        return;
    }
    std::set<Uuid> seen;
    std::size_t index = 0;
    for (const Json& entry : *parsed.value) {
        auto workspace = WorkspaceShortcut::fromJson(entry);
        if (!workspace) {
            logger().error("workspaces.entry.skipped reason=invalid index=" +
                           std::to_string(index));
        } else if (!seen.insert(workspace->id).second) {
            logger().error("workspaces.entry.skipped reason=duplicate-id index=" +
                           std::to_string(index) + " id=" + workspace->id.uuidString());
        } else {
            workspaces_.push_back(std::move(*workspace));
        }
        ++index;
    }
}

void WorkspaceShortcutStore::persistAndAdvance() {
    Json list = Json::array();
    for (const WorkspaceShortcut& workspace : workspaces_) {
        list.push_back(workspace.toJson());
    }
    defaults_.set(kStorageKey, compactJsonData(list));
    revision.set(revision.value() + 1);
}

WorkspaceShortcut* WorkspaceShortcutStore::find(const Uuid& id) {
    const auto found = std::find_if(workspaces_.begin(), workspaces_.end(),
                                    [&](const WorkspaceShortcut& w) { return w.id == id; });
    return found == workspaces_.end() ? nullptr : &*found;
}

std::optional<WorkspaceShortcut> WorkspaceShortcutStore::workspace(const Uuid& id) const {
    for (const WorkspaceShortcut& workspace : workspaces_) {
        if (workspace.id == id) {
            return workspace;
        }
    }
    return std::nullopt;
}

WorkspaceShortcut WorkspaceShortcutStore::addWorkspace(std::optional<std::string> name) {
    WorkspaceShortcut workspace;
    do {
        workspace.id = Uuid::random();
    } while (find(workspace.id) != nullptr);
    workspace.name = nameOrDefault(name, workspaces_.size());
    workspaces_.push_back(workspace);
    persistAndAdvance();
    return workspace;
}

bool WorkspaceShortcutStore::removeWorkspace(const Uuid& id) {
    const auto removed = std::erase_if(workspaces_, [&](const auto& w) { return w.id == id; });
    if (removed == 0) {
        return false;
    }
    persistAndAdvance();
    return true;
}

bool WorkspaceShortcutStore::setName(std::optional<std::string> name, const Uuid& id) {
    WorkspaceShortcut* workspace = find(id);
    if (!workspace) {
        return false;
    }
    std::string newName =
        nameOrDefault(name, static_cast<std::size_t>(workspace - workspaces_.data()));
    if (newName == workspace->name) {
        return false;
    }
    workspace->name = std::move(newName);
    persistAndAdvance();
    return true;
}

bool WorkspaceShortcutStore::setShortcut(std::optional<HotkeyCombination> shortcut,
                                         bool systemShortcutOverrideEnabled, const Uuid& id) {
    WorkspaceShortcut* workspace = find(id);
    if (!workspace) {
        return false;
    }
    workspace->shortcut = std::move(shortcut);
    workspace->systemShortcutOverrideEnabled = systemShortcutOverrideEnabled;
    persistAndAdvance();
    return true;
}

bool WorkspaceShortcutStore::setTargets(const std::map<WorkspaceTargetKey, int>& targets,
                                        const std::set<WorkspaceTargetKey>& replacingKeys,
                                        const Uuid& id) {
    WorkspaceShortcut* workspace = find(id);
    if (!workspace) {
        return false;
    }
    std::map<WorkspaceTargetKey, int> updated = workspace->targets;
    for (const WorkspaceTargetKey& key : replacingKeys) {
        updated.erase(key);
    }
    for (const auto& [key, visualIndex] : targets) {
        if (visualIndex >= 0) {
            updated[key] = visualIndex;
        }
    }
    if (updated == workspace->targets) {
        return false;
    }
    workspace->targets = std::move(updated);
    persistAndAdvance();
    return true;
}

std::optional<WorkspaceShortcut>
WorkspaceShortcutStore::conflict(const HotkeyCombination& combination,
                                 const std::optional<Uuid>& excluding) const {
    for (const WorkspaceShortcut& workspace : workspaces_) {
        if (excluding && workspace.id == *excluding) {
            continue;
        }
        if (workspace.shortcut == combination) {
            return workspace;
        }
    }
    return std::nullopt;
}

} // namespace tessarin
