#include "Model/Settings/GridModeStore.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Model/Spaces/DisplaySpaceOrderStore.h"
#include "Model/Spaces/TessarinDisplayCatalog.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewController.h"
#include "UI/Preferences/Keyboard/WorkspaceConfigurationForm.h"
#include "UI/Preferences/Keyboard/WorkspaceConfigurationViewController.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "Workspaces/WorkspaceConfigurationTargetProvider.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <QDialog>
#include <QVBoxLayout>

namespace tessarin {

std::vector<WorkspaceConfigurationTarget>
KeyboardShortcutsViewController::workspaceConfigurationTargets() const {
    if (workspaceConfigurationTargetProvider_) {
        return workspaceConfigurationTargetProvider_();
    }
    return WorkspaceConfigurationTargetProvider::liveTargets(
        displaysHaveSeparateSpacesProvider_(), TessarinDisplayCatalog::connectedDisplays(),
        gridModeStore_, directSlotMetadataStore_, DisplaySpaceOrderStore::shared(),
        WorkspaceSpaceSource::live());
}

void KeyboardShortcutsViewController::showWorkspaceConfiguration(
    const WorkspaceShortcut& workspace) {
    dismissWorkspaceConfiguration();
    std::vector<WorkspaceConfigurationTarget> targets = workspaceConfigurationTargets();
    const std::size_t targetCount = targets.size();
    const Uuid id = workspace.id;
    auto* controller = new WorkspaceConfigurationViewController(
        workspace, std::move(targets),
        weakly([](auto& page) { page.dismissWorkspaceConfiguration(); }),
        weakly([id](auto& page, const WorkspaceConfigurationSelection& selection) {
            page.workspaceShortcutStore_.setTargets(selection.chosen, selection.shown, id);
            page.dismissWorkspaceConfiguration();
        }));
    auto* panel = new QDialog;
    panel->setWindowTitle("Configure Workspace");
    panel->resize(WorkspaceConfigurationForm::panelWidth,
                  WorkspaceConfigurationForm::panelHeight(targetCount));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(controller);
    // Escape leaves the sheet as Cancel does.
    QObject::connect(panel, &QDialog::rejected, panel,
                     weakly([](auto& page) { page.dismissWorkspaceConfiguration(); }));
    workspaceConfigurationPanel_ = panel;
    if (isInWindow()) {
        beginSheet(*panel, *view()->window());
    } else {
        panel->show();
        panel->activateWindow();
    }
}

void KeyboardShortcutsViewController::dismissWorkspaceConfiguration() {
    if (!workspaceConfigurationPanel_) {
        return;
    }
    endSheet(*workspaceConfigurationPanel_);
    // Cancel and Done run inside the panel, so it goes once their press has
    // returned.
    workspaceConfigurationPanel_->deleteLater();
    workspaceConfigurationPanel_ = nullptr;
}

} // namespace tessarin
