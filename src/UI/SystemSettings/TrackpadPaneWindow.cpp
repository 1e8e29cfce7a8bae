#include "UI/SystemSettings/TrackpadPaneWindow.h"

#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"

#include <QVBoxLayout>

namespace tessarin {

namespace {

constexpr int bottomInset = 24;
// Room for the longest choice, "Swipe with three fingers", in average characters.
constexpr int kPopUpCharacters = 17;

QString detailOf(TrackpadGesture gesture) {
    switch (gesture) {
    case TrackpadGesture::fullScreenSwipe:
        return QStringLiteral("Swipe left or right to move between full-screen applications.");
    case TrackpadGesture::missionControlSwipe:
        return QStringLiteral("Swipe up to open Mission Control.");
    case TrackpadGesture::appExposeSwipe:
        return QStringLiteral("Swipe down to see the front application's windows.");
    case TrackpadGesture::lookUpTap:
        return QStringLiteral("Look up a word or a date under the pointer.");
    case TrackpadGesture::threeFingerDrag:
        return QStringLiteral("Accessibility > Pointer Control > Trackpad Options.");
    }
    return {};
}

} // namespace

TrackpadPaneWindow::TrackpadPaneWindow(SystemSettings& settings)
    : SystemSettingsPaneWindow(settings, QStringLiteral("systemSettings.trackpad"), bottomInset),
      section_(new QVBoxLayout) {
    section_->setContentsMargins(0, 0, 0, 0);
    column()->addLayout(section_);
    column()->addStretch(1);
}

QString TrackpadPaneWindow::popUpName(TrackpadGesture gesture) {
    return QStringLiteral("systemSettings.trackpad.popUp.%1").arg(static_cast<int>(gesture));
}

QString TrackpadPaneWindow::choiceTitle(TrackpadGesture gesture, TrackpadGestureFingers fingers) {
    if (fingers == TrackpadGestureFingers::off) {
        return QStringLiteral("Off");
    }
    const QString count =
        fingers == TrackpadGestureFingers::three ? QStringLiteral("three") : QStringLiteral("four");
    switch (gesture) {
    case TrackpadGesture::lookUpTap:
        return QStringLiteral("Tap with %1 fingers").arg(count);
    case TrackpadGesture::threeFingerDrag:
        return QStringLiteral("Drag with %1 fingers").arg(count);
    default:
        return QStringLiteral("Swipe with %1 fingers").arg(count);
    }
}

bool TrackpadPaneWindow::takePane(const std::string&) {
    auto entries = settings().trackpadPane().entries();
    if (shown_ == entries) {
        return false;
    }
    shown_ = std::move(entries);
    return true;
}

SettingsPopUpButton* TrackpadPaneWindow::makePopUp(const TrackpadPaneEntry& entry) {
    auto* popUp = new SettingsPopUpButton;
    popUp->setObjectName(popUpName(entry.gesture));
    popUp->setRegularUnborderedStyle();
    // One width for every row's pop-up, so they line up whatever they offer.
    popUp->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    popUp->setMinimumContentsLength(kPopUpCharacters);
    for (const TrackpadGestureFingers fingers : TrackpadPane::choices(entry.gesture)) {
        popUp->addItemWithRawValue(choiceTitle(entry.gesture, fingers), static_cast<int>(fingers));
    }
    popUp->selectItemWithRawValue(static_cast<int>(entry.fingers));
    popUp->onSelectionChanged = [this, gesture = entry.gesture](const QVariant& value) {
        settings().trackpadPane().setFingers(gesture,
                                             static_cast<TrackpadGestureFingers>(value.toInt()));
    };
    return popUp;
}

void TrackpadPaneWindow::rebuild() {
    setPaneText(QStringLiteral("Trackpad"),
                QStringLiteral("The system's own gestures. Turn one off to leave its fingers to "
                               "another program."));
    while (QLayoutItem* item = section_->takeAt(0)) {
        if (QWidget* section = item->widget()) {
            // A pop-up chosen from in the section may still be on the stack.
            section->hide();
            section->deleteLater();
        }
        delete item;
    }
    std::vector<QWidget*> rows;
    for (const TrackpadPaneEntry& entry : shown_.value_or(std::vector<TrackpadPaneEntry>{})) {
        rows.push_back(new SettingsRowView(QString::fromStdString(entry.name),
                                           detailOf(entry.gesture), makePopUp(entry)));
    }
    auto* section = new SettingsSectionView(
        QStringLiteral("Gestures"), QStringLiteral("systemSettings.trackpad.section"), rows);
    section_->addWidget(section);
    section->show(); // now, not on a later turn: a click may come before it
}

} // namespace tessarin
