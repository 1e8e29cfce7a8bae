#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// Hands a name field's text on when editing ends or Return is pressed: trimmed of white space
// and line breaks, blank as no name, and only when it differs from the last one handed on (so
// Return followed by leaving the field commits once). Long and non-Latin names pass unchanged.
// Used by the direct-slot rows and the workspace rows.
class DirectSlotNameTextFieldDelegate {
public:
    using Commit = std::function<void(const std::optional<std::string>&)>;

    static constexpr std::string_view insertNewlineCommand = "insertNewline:";

    DirectSlotNameTextFieldDelegate(const std::optional<std::string>& initialValue,
                                    Commit onCommit);

    void controlTextDidEndEditing(std::string_view text);
    // True when the command was handled: Return commits the text.
    bool doCommandBy(std::string_view command, std::string_view text);

    const std::optional<std::string>& lastCommittedValue() const { return lastCommittedValue_; }

private:
    void commit(std::string_view text);
    static std::optional<std::string> normalized(std::string_view text);

    Commit onCommit_;
    std::optional<std::string> lastCommittedValue_;
};

} // namespace tessarin
