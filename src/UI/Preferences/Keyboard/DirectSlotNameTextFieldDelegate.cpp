#include "UI/Preferences/Keyboard/DirectSlotNameTextFieldDelegate.h"

#include "Support/Text.h"

namespace tessarin {

DirectSlotNameTextFieldDelegate::DirectSlotNameTextFieldDelegate(
    const std::optional<std::string>& initialValue, Commit onCommit)
    : onCommit_(std::move(onCommit)),
      lastCommittedValue_(initialValue ? normalized(*initialValue) : std::nullopt) {}

void DirectSlotNameTextFieldDelegate::controlTextDidEndEditing(std::string_view text) {
    commit(text);
}

bool DirectSlotNameTextFieldDelegate::doCommandBy(std::string_view command, std::string_view text) {
    if (command != insertNewlineCommand) {
        return false;
    }
    commit(text);
    return true;
}

void DirectSlotNameTextFieldDelegate::commit(std::string_view text) {
    std::optional<std::string> value = normalized(text);
    if (value == lastCommittedValue_) {
        return;
    }
    lastCommittedValue_ = value;
    if (onCommit_) {
        onCommit_(value);
    }
}

std::optional<std::string> DirectSlotNameTextFieldDelegate::normalized(std::string_view text) {
    std::string trimmed = trimmingWhitespaceAndNewlines(text);
    if (trimmed.empty()) {
        return std::nullopt;
    }
    return trimmed;
}

} // namespace tessarin
