#include "Hotkeys/HotkeyStore.h"
#include "Model/Health/TessarinHealthActionHandler.h"
#include "Model/Settings/GridModeStore.h"
#include "Model/Spaces/TessarinDisplayCatalog.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/MainQueue.h"
#include "TessarinCore/TessarinCore.h"
#include "UI/Health/HealthPageText.h"
#include "UI/Health/TessarinHealthCheckViewController.h"
#include "UI/Health/TessarinHealthCheckViewIdentifier.h"
#include "UI/Preferences/Controls/HotkeyDeliveryWarning.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Controls/ShortcutSettingControl.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSeparatorView.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace tessarin {

namespace {

namespace Id = TessarinHealthCheckViewIdentifier;
using namespace HealthPageText;

constexpr std::array kKeyboardSetupIdentifiers{HotkeyIdentifier::showOSD, HotkeyIdentifier::left,
                                               HotkeyIdentifier::right, HotkeyIdentifier::up,
                                               HotkeyIdentifier::down};

bool needsGridMode(HotkeyIdentifier identifier) {
    return identifier == HotkeyIdentifier::showOSD || identifier == HotkeyIdentifier::up ||
           identifier == HotkeyIdentifier::down;
}

} // namespace

std::string
TessarinHealthCheckViewController::keyboardSetupShortcutTitle(HotkeyIdentifier identifier) {
    switch (identifier) {
    case HotkeyIdentifier::showOSD:
        return "Show/Hide OSD space picker";
    case HotkeyIdentifier::left:
        return "Switch left";
    case HotkeyIdentifier::right:
        return "Switch right";
    case HotkeyIdentifier::up:
        return "Switch up";
    case HotkeyIdentifier::down:
        return "Switch down";
    case HotkeyIdentifier::lastSpace:
        return "Switch to last used space";
    default:
        break;
    }
    const auto slot = directSlotIndex(identifier);
    return slot ? "Switch to space " + std::to_string(*slot) : std::string();
}

QWidget* TessarinHealthCheckViewController::makePracticeStepHeroView(
    const TessarinSpacePracticeState& state) {
    auto* hero = new QWidget;
    hero->setObjectName(Id::stepHero);
    auto* stack = new QVBoxLayout(hero);
    stack->setContentsMargins(4, 14, 4, 16);
    // Closer than the other steps, so the five rows, the note and "Next" fit the window.
    stack->setSpacing(6);
    addCentred(*stack, makeLabel(QStringLiteral("Set Up Keyboard Shortcuts"), Id::stepTitle,
                                 systemFont(20, true), labelColour(), true, 430));
    addCentred(*stack,
               makeLabel(QStringLiteral("Choose the shortcuts Tessarin should use for the "
                                        "grid and Space navigation."),
                         Id::stepDetail, systemFont(13, false), secondaryLabel(), true, 470));
    stack->addWidget(makeKeyboardSetupShortcutRowsView());
    if (state.usesDetectedMissionControlShortcuts) {
        stack->addWidget(makeDetectedMissionControlPresetLabel());
    }
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 0, 12, 0);
    buttons->addStretch(1);
    buttons->addWidget(makePracticeButtonStack());
    stack->addLayout(buttons);
    return hero;
}

QWidget* TessarinHealthCheckViewController::makeKeyboardSetupShortcutRowsView() {
    auto* card = new QWidget;
    card->setObjectName(Id::practiceKeyboardCard);
    auto* rows = new QVBoxLayout(card);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    for (std::size_t i = 0; i < kKeyboardSetupIdentifiers.size(); ++i) {
        if (i > 0) {
            rows->addWidget(new SettingsSeparatorView);
        }
        rows->addWidget(makeKeyboardSetupShortcutRow(kKeyboardSetupIdentifiers[i]));
    }
    return card;
}

SettingsRowView*
TessarinHealthCheckViewController::makeKeyboardSetupShortcutRow(HotkeyIdentifier identifier) {
    HotkeyStore& store = *dependencies_.hotkeyStore;
    const HotkeyAction action = HotkeyAction::cursor(identifier);
    const bool available =
        needsGridMode(identifier) ? dependencies_.gridModeStore->isEnabled.value() : true;
    const std::weak_ptr weakSelf(self_);
    auto* control = new ShortcutSettingControl(
        identifier, store.combination(action).value_or(defaultCombination(identifier)),
        store.isEnabled(action), available,
        [weakSelf, action](const HotkeyCombination& combination) {
            if (const auto self = weakSelf.lock()) {
                (*self)->handleKeyboardSetupRecordingResult(combination, action);
            }
        },
        [weakSelf, identifier] {
            if (const auto self = weakSelf.lock()) {
                (*self)->clearKeyboardSetupShortcut(identifier);
            }
        },
        [weakSelf, identifier] {
            if (const auto self = weakSelf.lock()) {
                (*self)->resetKeyboardSetupShortcut(identifier);
            }
        });
    std::optional<QString> warning;
    if (const auto text = keyboardSetupDeliveryWarning(identifier)) {
        warning = QString::fromStdString(*text);
    }
    auto* row = new SettingsRowView(QString::fromStdString(keyboardSetupShortcutTitle(identifier)),
                                    warning, control, std::nullopt, std::nullopt,
                                    hotkeyDeliveryWarningIdentifier(identifier));
    row->setVerticalInset(SettingsPageLayout::compactRowVerticalInset);
    row->applyEnabledState(available);
    return row;
}

std::optional<std::string>
TessarinHealthCheckViewController::keyboardSetupDeliveryWarning(HotkeyIdentifier identifier) const {
    HotkeyStore& store = *dependencies_.hotkeyStore;
    const HotkeyAction action = HotkeyAction::cursor(identifier);
    const auto combination = store.combination(action);
    const bool available =
        needsGridMode(identifier) ? dependencies_.gridModeStore->isEnabled.value() : true;
    if (!combination || !store.isEnabled(action) || !available) {
        return std::nullopt;
    }
    return hotkeyDeliveryWarning(*combination);
}

QLabel* TessarinHealthCheckViewController::makeDetectedMissionControlPresetLabel() {
    // Under notes that another program holds some of those keys, "will use" would promise what
    // the notes deny.
    const bool anyHeld =
        std::any_of(kKeyboardSetupIdentifiers.begin(), kKeyboardSetupIdentifiers.end(),
                    [this](HotkeyIdentifier identifier) {
                        return identifier != HotkeyIdentifier::showOSD &&
                               keyboardSetupDeliveryWarning(identifier).has_value();
                    });
    const QString text =
        anyHeld ? QStringLiteral("Standard macOS Mission Control shortcuts were detected, so "
                                 "Tessarin set Control-Left/Right/Up/Down for Space navigation. "
                                 "Another program holds some of these keys now: they switch "
                                 "Spaces once it lets them go, or choose other keys above.")
                : QStringLiteral("Standard macOS Mission Control shortcuts were detected, so "
                                 "Tessarin will use Control-Left/Right/Up/Down for Space "
                                 "navigation.");
    return makeLabel(text, Id::practiceMissionControlPresetDetail, systemFont(11, false),
                     tertiaryLabel(), true);
}

QWidget* TessarinHealthCheckViewController::makePracticeButtonStack() {
    auto* row = new QWidget;
    row->setObjectName(Id::stepButtonStack);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QPushButton* next = makeButton(QStringLiteral("Next"), Id::practiceSkipButton, true, 82);
    QObject::connect(next, &QPushButton::clicked, [weakSelf = std::weak_ptr(self_)] {
        if (const auto self = weakSelf.lock()) {
            (*self)->skipPracticeStep();
        }
    });
    layout->addWidget(next);
    return row;
}

void TessarinHealthCheckViewController::observeHotkeyDelivery() {
    // Drawn on a later turn, and only on the keyboard step; a recording in progress keeps its
    // row, and its end draws anew.
    const auto refresh = [weakSelf = std::weak_ptr(self_)] {
        const auto self = weakSelf.lock();
        if (!self || ShortcutRecorderControl::activeRecorder() != nullptr) {
            return;
        }
        TessarinHealthCheckViewController& page = **self;
        if (page.currentStep_ && !healthItem(page.currentStep_)) {
            page.refreshFromNewSnapshot();
        }
    };
    hotkeyDeliveryObserver_ = Host::current().hotKeys().delivery().addObserver(
        [refresh] { MainQueue::main().async(refresh); });
}

void TessarinHealthCheckViewController::skipPracticeStep() {
    dependencies_.defaults->set(TessarinSpacePracticeRule::skippedKey, true);
    refreshFromNewSnapshot();
}

std::vector<std::string> TessarinHealthCheckViewController::connectedDisplayIdentifiers() const {
    // The bridge decides, even for a single display.
    const auto screenCount = static_cast<uint32_t>(Host::current().displays().screens().size());
    if (!tessarin_displays_have_separate_spaces(screenCount)) {
        return {};
    }
    std::vector<std::string> identifiers;
    for (const TessarinDisplay& display : TessarinDisplayCatalog::connectedDisplays()) {
        identifiers.push_back(display.identifier);
    }
    return identifiers;
}

std::optional<std::string>
TessarinHealthCheckViewController::conflictingBindingName(const HotkeyCombination& combination,
                                                          const HotkeyAction& action) const {
    if (const auto other = dependencies_.hotkeyStore->conflict(combination, action,
                                                               connectedDisplayIdentifiers())) {
        return other->displayName();
    }
    if (const auto workspace =
            dependencies_.workspaceShortcutStore->conflict(combination, std::nullopt)) {
        return workspace->name;
    }
    return std::nullopt;
}

void TessarinHealthCheckViewController::handleKeyboardSetupRecordingResult(
    const HotkeyCombination& combination, const HotkeyAction& action) {
    if (const auto name = conflictingBindingName(combination, action)) {
        KeyboardShortcutAlerts::showShortcutConflictAlert(*name);
        return;
    }
    bool overrideFlag = action.shouldAlwaysOverrideMissionControlShortcut(combination);
    const auto conflicts = dependencies_.systemShortcutConflictDetector->conflicts(combination);
    if (!conflicts.empty()) {
        switch (dependencies_.systemShortcutConflictResolutionProvider(combination, conflicts)) {
        case SystemShortcutConflictResolution::useAnyway:
            overrideFlag = true;
            break;
        case SystemShortcutConflictResolution::openKeyboardShortcuts:
            openKeyboardShortcutsSettings();
            return;
        case SystemShortcutConflictResolution::cancel:
            return;
        }
    }
    HotkeyStore& store = *dependencies_.hotkeyStore;
    store.update(combination, action);
    store.setEnabled(true, action);
    if (store.setSystemShortcutOverrideEnabledWithoutRevision(overrideFlag, action)) {
        // One more revision, so listeners register the hotkeys once with the new flag.
        store.revision.set(store.revision.value() + 1);
    }
    refreshFromNewSnapshot();
}

void TessarinHealthCheckViewController::clearKeyboardSetupShortcut(HotkeyIdentifier identifier) {
    dependencies_.hotkeyStore->setEnabled(false, HotkeyAction::cursor(identifier));
    refreshFromNewSnapshot();
}

void TessarinHealthCheckViewController::resetKeyboardSetupShortcut(HotkeyIdentifier identifier) {
    const HotkeyAction action = HotkeyAction::cursor(identifier);
    const HotkeyCombination combination = defaultCombination(identifier);
    // The default may meanwhile belong to another binding; two bindings on one key would
    // leave one of them unregistered.
    if (const auto name = conflictingBindingName(combination, action)) {
        KeyboardShortcutAlerts::showShortcutConflictAlert(*name);
        return;
    }
    dependencies_.hotkeyStore->update(combination, action);
    dependencies_.hotkeyStore->setEnabled(true, action);
    refreshFromNewSnapshot();
}

void TessarinHealthCheckViewController::openKeyboardShortcutsSettings() {
    if (!TessarinHealthActionHandler::formsURL(keyboardShortcutsAddress)) {
        return;
    }
    lowerWindow();
    dependencies_.openURL(keyboardShortcutsAddress);
}

} // namespace tessarin
