#include "Workspaces/WorkspaceTargetKey.h"

#include <functional>

namespace tessarin {

namespace {
constexpr std::string_view kDisplayPrefix = "display:";
constexpr std::string_view kSharedSpaces = "sharedSpaces";
} // namespace

std::string WorkspaceTargetKey::storageKey() const {
    if (isSharedSpaces()) {
        return std::string(kSharedSpaces);
    }
    return std::string(kDisplayPrefix) + displayIdentifier;
}

std::optional<WorkspaceTargetKey> WorkspaceTargetKey::fromStorageKey(std::string_view text) {
    if (text == kSharedSpaces) {
        return sharedSpaces();
    }
    if (text.starts_with(kDisplayPrefix)) {
        return display(std::string(text.substr(kDisplayPrefix.size())));
    }
    return std::nullopt;
}

} // namespace tessarin

std::size_t std::hash<tessarin::WorkspaceTargetKey>::operator()(
    const tessarin::WorkspaceTargetKey& key) const noexcept {
    if (key.isSharedSpaces()) {
        return 0;
    }
    return std::hash<std::string>{}(key.displayIdentifier) * 31 + 1;
}
