#include "UI/Preferences/Keyboard/WorkspaceShortcutRowView.h"

#include "Hotkeys/GlobalEventTapRecorder.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Controls/SymbolImageButton.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tessarin {

WorkspaceShortcutRowView::WorkspaceShortcutRowView(const WorkspaceShortcut& workspace,
                                                   WorkspaceRowCallbacks callbacks)
    : nameField_(new QLineEdit(this)), configureButton_(new QPushButton("Configure", this)),
      recorder_(
          new ShortcutRecorderControl(QRect(0, 0, 150, 22), GlobalEventTapRecorder::shared())),
      deleteButton_(new SymbolImageButton("trash", "Delete workspace")),
      nameDelegate_(workspace.name, callbacks.onNameChange), callbacks_(std::move(callbacks)),
      appearanceObserver_([this] {
          SettingsPageLayout::applyTextFieldColors(*nameField_,
                                                   SettingsPageLayout::effectiveAppearance());
      }) {
    const auto name = [&](const char* part) {
        return QString::fromStdString(
            KeyboardShortcutsViewIdentifier::workspaceControl(workspace.id, part));
    };
    nameField_->setObjectName(name("name"));
    nameField_->setText(QString::fromStdString(workspace.name));
    nameField_->setPlaceholderText("Workspace");
    nameField_->setFixedSize(160, 22);
    SettingsPageLayout::applyTextFieldColors(*nameField_,
                                             SettingsPageLayout::effectiveAppearance());
    QObject::connect(nameField_, &QLineEdit::returnPressed, this, [this] {
        nameDelegate_.doCommandBy(DirectSlotNameTextFieldDelegate::insertNewlineCommand,
                                  nameField_->text().toStdString());
    });
    QObject::connect(nameField_, &QLineEdit::editingFinished, this, [this] {
        nameDelegate_.controlTextDidEndEditing(nameField_->text().toStdString());
    });

    configureButton_->setObjectName(name("configure"));
    configureButton_->setAutoDefault(false);
    configureButton_->setFixedWidth(88);
    QObject::connect(configureButton_, &QPushButton::clicked, this, [this] {
        if (callbacks_.onConfigure) {
            callbacks_.onConfigure();
        }
    });

    recorder_->setObjectName(name("recorder"));
    recorder_->setFixedSize(150, 22);
    recorder_->setCurrentShortcut(workspace.shortcut);
    recorder_->setEmptyShortcutDisplayString("None");
    recorder_->onRecordingComplete = callbacks_.onRecordingComplete;

    deleteButton_->setObjectName(name("delete"));
    deleteButton_->setFixedSize(24, 24);
    deleteButton_->setToolTip("Delete workspace");
    QObject::connect(deleteButton_, &SymbolImageButton::clicked, this, [this] {
        if (callbacks_.onDelete) {
            callbacks_.onDelete();
        }
    });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 11, 16, 11);
    layout->setSpacing(12);
    layout->addWidget(nameField_);
    layout->addWidget(configureButton_);
    layout->addWidget(recorder_);
    layout->addWidget(deleteButton_);
    layout->addStretch(1);
}

} // namespace tessarin
