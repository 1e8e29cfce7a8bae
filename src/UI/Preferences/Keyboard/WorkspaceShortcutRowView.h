#pragma once

#include "UI/Preferences/Keyboard/DirectSlotNameTextFieldDelegate.h"
#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"
#include "Workspaces/WorkspaceShortcut.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

namespace tessarin {

class ShortcutRecorderControl;
class SymbolImageButton;

// What a workspace row reports to its page.
struct WorkspaceRowCallbacks {
    std::function<void(const std::optional<std::string>&)> onNameChange;
    std::function<void()> onConfigure;
    std::function<void(const HotkeyCombination&)> onRecordingComplete;
    std::function<void()> onDelete;
};

// One workspace: its name, a button to choose its Spaces, its shortcut and a
// delete button. The object names carry the workspace's id, so they stay the
// same across launches.
class WorkspaceShortcutRowView final : public QWidget {
public:
    WorkspaceShortcutRowView(const WorkspaceShortcut& workspace, WorkspaceRowCallbacks callbacks);

    QLineEdit* nameField() const { return nameField_; }
    QPushButton* configureButton() const { return configureButton_; }
    ShortcutRecorderControl* recorder() const { return recorder_; }
    SymbolImageButton* deleteButton() const { return deleteButton_; }

private:
    QLineEdit* nameField_;
    QPushButton* configureButton_;
    ShortcutRecorderControl* recorder_;
    SymbolImageButton* deleteButton_;
    DirectSlotNameTextFieldDelegate nameDelegate_;
    WorkspaceRowCallbacks callbacks_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
