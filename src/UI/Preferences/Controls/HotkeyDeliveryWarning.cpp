#include "UI/Preferences/Controls/HotkeyDeliveryWarning.h"

#include "Platform/Host.h"
#include "Platform/Input/HotKeyCenter.h"

namespace tessarin {

std::optional<std::string> hotkeyDeliveryWarning(const HotkeyCombination& combination) {
    const auto issue =
        Host::current().hotKeys().delivery().issue(combination.keyCode, combination.modifiers);
    if (!issue) {
        return std::nullopt;
    }
    switch (issue->problem) {
    case HotKeyDeliveryProblem::keptByDisplayServer:
        return "Cannot be pressed on this machine: its X server keeps " + issue->machineKeys +
               " for " + issue->serverAction + ". Record another shortcut.";
    case HotKeyDeliveryProblem::heldByAnotherClient:
        return "Another program holds " + issue->machineKeys +
               ", so it does nothing here until that program lets it go.";
    }
    return std::nullopt;
}

QString hotkeyDeliveryWarningIdentifier(HotkeyIdentifier identifier) {
    const std::string_view raw = rawValue(identifier);
    return QString("keyboard.detail.shortcut.%1.undeliverable")
        .arg(QString::fromUtf8(raw.data(), static_cast<int>(raw.size())));
}

} // namespace tessarin
