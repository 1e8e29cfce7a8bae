#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Support/Published.h"
#include "Support/Uuid.h"
#include "Workspaces/WorkspaceShortcut.h"
#include "Workspaces/WorkspaceTargetKey.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

class UserDefaults;

// The user's workspace shortcuts, in their stored order, kept in the user defaults as a JSON
// list under "workspaces". Every stored edit persists the whole list and advances `revision`
// by 1; an operation that changes nothing writes nothing.
class WorkspaceShortcutStore {
public:
    static constexpr const char* kStorageKey = "workspaces";

    explicit WorkspaceShortcutStore(UserDefaults& defaults);
    WorkspaceShortcutStore(const WorkspaceShortcutStore&) = delete;
    WorkspaceShortcutStore& operator=(const WorkspaceShortcutStore&) = delete;

    // The app's store, over the current host's defaults (made on first use).
    static WorkspaceShortcutStore& shared();

    Published<int> revision{0};

    // The workspaces in stored order.
    const std::vector<WorkspaceShortcut>& cachedWorkspaces() const { return workspaces_; }
    std::optional<WorkspaceShortcut> workspace(const Uuid& id) const;

    // Appends a workspace; no name, or a blank one, gives "Workspace " and its number.
    WorkspaceShortcut addWorkspace(std::optional<std::string> name = std::nullopt);
    bool removeWorkspace(const Uuid& id);
    // A blank or absent name gives the workspace its default name; false when nothing changed.
    bool setName(std::optional<std::string> name, const Uuid& id);
    // False only when no workspace has that id.
    bool setShortcut(std::optional<HotkeyCombination> shortcut, bool systemShortcutOverrideEnabled,
                     const Uuid& id);
    // Drops the assignments of `replacingKeys`, then sets every entry of `targets` whose index
    // is 0 or more. False, writing nothing, for an unknown id or when the assignments stay
    // the same.
    bool setTargets(const std::map<WorkspaceTargetKey, int>& targets,
                    const std::set<WorkspaceTargetKey>& replacingKeys, const Uuid& id);
    // Another workspace (not `excluding`) whose shortcut equals the combination.
    std::optional<WorkspaceShortcut> conflict(const HotkeyCombination& combination,
                                              const std::optional<Uuid>& excluding) const;

    // "Workspace " followed by the 1-based position.
    static std::string defaultName(std::size_t position);

private:
    void load();
    void persistAndAdvance();
    WorkspaceShortcut* find(const Uuid& id);

    UserDefaults& defaults_;
    std::vector<WorkspaceShortcut> workspaces_;
};

} // namespace tessarin
