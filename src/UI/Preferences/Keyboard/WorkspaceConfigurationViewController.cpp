#include "UI/Preferences/Keyboard/WorkspaceConfigurationViewController.h"

#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessarin {

WorkspaceConfigurationViewController::WorkspaceConfigurationViewController(
    WorkspaceShortcut workspace, std::vector<WorkspaceConfigurationTarget> targets,
    std::function<void()> onCancel, Save onSave)
    : workspace_(std::move(workspace)), targets_(std::move(targets)),
      onCancel_(std::move(onCancel)), onSave_(std::move(onSave)) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(22, 22, 22, 18);
    stack->setSpacing(12);
    for (const WorkspaceConfigurationTarget& target : targets_) {
        stack->addWidget(makeTargetRow(target));
    }
    if (targets_.empty()) {
        auto* label = new QLabel(emptyText);
        label->setForegroundRole(QPalette::PlaceholderText);
        stack->addWidget(label);
    }
    stack->addStretch(1);
    stack->addWidget(makeButtonRow());
}

QWidget*
WorkspaceConfigurationViewController::makeTargetRow(const WorkspaceConfigurationTarget& target) {
    auto* row = new QWidget;
    row->setFixedHeight(30);
    auto* label = new QLabel(QString::fromStdString(target.title));
    auto* popup = new QComboBox;
    popup->setObjectName(QString::fromStdString(
        KeyboardShortcutsViewIdentifier::workspaceConfigurationTargetControl(target.key)));
    popup->setFixedWidth(180);
    const auto choices = WorkspaceConfigurationForm::choices(target);
    for (const WorkspaceConfigurationChoice& choice : choices) {
        popup->addItem(QString::fromStdString(choice.title), choice.tag);
    }
    const auto stored = workspace_.targets.find(target.key);
    popup->setCurrentIndex(static_cast<int>(WorkspaceConfigurationForm::preselectedChoice(
        choices,
        stored == workspace_.targets.end() ? std::nullopt : std::optional<int>(stored->second))));
    popupByTargetKey_[target.key] = popup;

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(label, 1);
    layout->addWidget(popup);
    return row;
}

QWidget* WorkspaceConfigurationViewController::makeButtonRow() {
    auto* row = new QWidget;
    row->setFixedHeight(34);
    auto* cancelButton = new QPushButton("Cancel");
    cancelButton->setObjectName(KeyboardShortcutsViewIdentifier::workspaceConfigureCancelControl);
    cancelButton->setAutoDefault(false);
    doneButton_ = new QPushButton("Done");
    doneButton_->setObjectName(KeyboardShortcutsViewIdentifier::workspaceConfigureDoneControl);
    doneButton_->setDefault(true); // Return confirms
    QObject::connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
    QObject::connect(doneButton_, &QPushButton::clicked, this, [this] { save(); });
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addStretch(1);
    layout->addWidget(cancelButton);
    layout->addWidget(doneButton_);
    return row;
}

void WorkspaceConfigurationViewController::cancel() {
    if (onCancel_) {
        onCancel_();
    }
}

void WorkspaceConfigurationViewController::save() {
    std::vector<std::pair<WorkspaceTargetKey, std::optional<int>>> selectedTags;
    for (const auto& [key, popup] : popupByTargetKey_) {
        std::optional<int> tag;
        if (popup->currentIndex() >= 0) {
            tag = popup->currentData().toInt();
        }
        selectedTags.emplace_back(key, tag);
    }
    if (onSave_) {
        onSave_(WorkspaceConfigurationForm::selection(selectedTags));
    }
}

} // namespace tessarin
