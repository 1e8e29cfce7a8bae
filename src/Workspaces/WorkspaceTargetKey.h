#pragma once

#include <compare>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// What a workspace assigns a Space to: one display (by identifier) while displays have
// separate Spaces, or the one set of Spaces that all displays share. Ordered and hashable, so
// it keys the assignments of a workspace.
struct WorkspaceTargetKey {
    enum class Kind { display, sharedSpaces };

    Kind kind = Kind::sharedSpaces;
    std::string displayIdentifier; // empty for the shared Spaces

    static WorkspaceTargetKey display(std::string displayIdentifier) {
        return {Kind::display, std::move(displayIdentifier)};
    }
    static WorkspaceTargetKey sharedSpaces() { return {Kind::sharedSpaces, {}}; }

    bool isSharedSpaces() const { return kind == Kind::sharedSpaces; }

    // The stored form: "display:" followed by the display identifier, or "sharedSpaces".
    std::string storageKey() const;
    // Nothing for any other text.
    static std::optional<WorkspaceTargetKey> fromStorageKey(std::string_view text);

    friend auto operator<=>(const WorkspaceTargetKey&, const WorkspaceTargetKey&) = default;
    friend bool operator==(const WorkspaceTargetKey&, const WorkspaceTargetKey&) = default;
};

} // namespace tessarin

template <> struct std::hash<tessarin::WorkspaceTargetKey> {
    std::size_t operator()(const tessarin::WorkspaceTargetKey& key) const noexcept;
};
