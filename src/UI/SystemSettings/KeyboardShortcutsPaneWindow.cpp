#include "UI/SystemSettings/KeyboardShortcutsPaneWindow.h"

#include "UI/Preferences/Kit/SettingsCheckBox.h"
#include "UI/SystemSettings/SystemSettingsPaneList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tessarin {

namespace {

namespace L = SettingsPageLayout;

constexpr int bottomInset = 24;
constexpr int subentryIndent = 22;

} // namespace

KeyboardShortcutsPaneWindow::KeyboardShortcutsPaneWindow(SystemSettings& settings)
    : SystemSettingsPaneWindow(settings, QStringLiteral("systemSettings.keyboardShortcuts"),
                               bottomInset),
      rows_(new QVBoxLayout) {
    auto* list = new SystemSettingsPaneList;
    list->setObjectName(QStringLiteral("systemSettings.keyboardShortcuts.list"));
    auto* listLayout = new QVBoxLayout(list);
    listLayout->setContentsMargins(0, 4, 0, 4);
    listLayout->setSpacing(0);
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(0);
    listLayout->addLayout(rows_);
    listLayout->addStretch(1);

    // Sixteen Desktops make a list taller than the window.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("systemSettings.keyboardShortcuts.scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    scroll->setWidget(list);
    column()->addWidget(scroll, 1);
}

QString KeyboardShortcutsPaneWindow::checkBoxName(int hotKey) {
    return QStringLiteral("systemSettings.keyboardShortcuts.check.%1").arg(hotKey);
}

QString KeyboardShortcutsPaneWindow::keysName(int hotKey) {
    return QStringLiteral("systemSettings.keyboardShortcuts.keys.%1").arg(hotKey);
}

bool KeyboardShortcutsPaneWindow::takePane(const std::string&) {
    auto entries = settings().keyboardShortcutsPane().missionControlEntries();
    if (shownEntries_ == entries) {
        return false;
    }
    shownEntries_ = std::move(entries);
    return true;
}

void KeyboardShortcutsPaneWindow::rebuild() {
    setPaneText(QStringLiteral("Keyboard Shortcuts"),
                QStringLiteral("Mission Control. Turn a shortcut off to free its keys for "
                               "another program."));
    while (QLayoutItem* item = rows_->takeAt(0)) {
        if (QWidget* row = item->widget()) {
            // A check box clicked in the row may still be on the stack.
            row->hide();
            row->deleteLater();
        }
        delete item;
    }
    for (const KeyboardShortcutsPaneEntry& entry :
         shownEntries_.value_or(std::vector<KeyboardShortcutsPaneEntry>{})) {
        QWidget* row = makeRow(entry);
        rows_->addWidget(row);
        row->show(); // now, not on a later turn: a click may come before it
    }
}

QWidget* KeyboardShortcutsPaneWindow::makeRow(const KeyboardShortcutsPaneEntry& entry) {
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("systemSettings.keyboardShortcuts.row.%1").arg(entry.hotKey));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(12 + (entry.indented ? subentryIndent : 0), 5, 14, 5);
    layout->setSpacing(10);
    auto* check = new SettingsCheckBox;
    check->setObjectName(checkBoxName(entry.hotKey));
    check->setText(QString::fromStdString(entry.name));
    check->setFont(paneFont(13, false));
    check->setChecked(entry.enabled);
    QObject::connect(check, &QAbstractButton::toggled, row, [this, hotKey = entry.hotKey](bool on) {
        settings().keyboardShortcutsPane().setEnabled(hotKey, on);
    });
    auto* keys = new QLabel(QString::fromStdString(entry.keys));
    keys->setObjectName(keysName(entry.hotKey));
    keys->setFont(paneFont(13, false));
    L::setTextColor(*keys, colour(entry.enabled ? SettingsSystemColor::label
                                                : SettingsSystemColor::secondaryLabel));
    layout->addWidget(check, 1);
    layout->addWidget(keys);
    return row;
}

} // namespace tessarin
