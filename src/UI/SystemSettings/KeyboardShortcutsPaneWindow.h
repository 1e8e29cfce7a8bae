#pragma once

#include "UI/SystemSettings/SystemSettingsPaneWindow.h"

#include <optional>
#include <vector>

class QVBoxLayout;

namespace tessarin {

// The host's Keyboard Shortcuts pane on its Mission Control list: each shortcut with its check
// box and its keys. Turning one off in the host's table frees its keys.
class KeyboardShortcutsPaneWindow final : public SystemSettingsPaneWindow {
    Q_OBJECT

public:
    explicit KeyboardShortcutsPaneWindow(SystemSettings& settings);

    // The names of a shortcut's check box and of the label with its keys.
    static QString checkBoxName(int hotKey);
    static QString keysName(int hotKey);

protected:
    bool takePane(const std::string& pane) override;
    void rebuild() override;

private:
    QWidget* makeRow(const KeyboardShortcutsPaneEntry& entry);

    std::optional<std::vector<KeyboardShortcutsPaneEntry>> shownEntries_;
    QVBoxLayout* rows_;
};

} // namespace tessarin
