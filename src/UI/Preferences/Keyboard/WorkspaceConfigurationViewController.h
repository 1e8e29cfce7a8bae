#pragma once

#include "UI/Preferences/Keyboard/WorkspaceConfigurationForm.h"
#include "Workspaces/WorkspaceConfigurationTarget.h"
#include "Workspaces/WorkspaceShortcut.h"

#include <QWidget>
#include <functional>
#include <map>
#include <vector>

class QComboBox;
class QPushButton;

namespace tessarin {

// The content of the "Configure Workspace" sheet: one pop-up of Spaces per live target, then
// Cancel and Done (Return). It works on a copy of the workspace and reads only its targets.
class WorkspaceConfigurationViewController final : public QWidget {
public:
    using Save = std::function<void(const WorkspaceConfigurationSelection&)>;

    static constexpr const char* emptyText = "No connected Spaces are available.";

    WorkspaceConfigurationViewController(WorkspaceShortcut workspace,
                                         std::vector<WorkspaceConfigurationTarget> targets,
                                         std::function<void()> onCancel, Save onSave);

    void cancel();
    // Hands on the chosen Space of every shown target and the set of shown targets.
    void save();

    const std::map<WorkspaceTargetKey, QComboBox*>& popupByTargetKey() const {
        return popupByTargetKey_;
    }
    QPushButton* doneButton() const { return doneButton_; }

private:
    QWidget* makeTargetRow(const WorkspaceConfigurationTarget& target);
    QWidget* makeButtonRow();

    WorkspaceShortcut workspace_;
    std::vector<WorkspaceConfigurationTarget> targets_;
    std::function<void()> onCancel_;
    Save onSave_;
    std::map<WorkspaceTargetKey, QComboBox*> popupByTargetKey_;
    QPushButton* doneButton_ = nullptr;
};

} // namespace tessarin
