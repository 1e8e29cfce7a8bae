#include "UI/Preferences/Trackpad/TrackpadSettingsViewController.h"

#include "Model/Settings/TrackpadSwipeSettingsStore.h"
#include "Platform/Host.h"
#include "Platform/Symbols/SystemSymbolImages.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "UI/Preferences/Kit/SettingsSliderControl.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "UI/Preferences/Kit/StatusTextColour.h"
#include "UI/Preferences/Kit/SystemColours.h"
#include "UI/Preferences/Trackpad/TrackpadSetupStatus.h"
#include "UI/Preferences/Trackpad/TrackpadSystemGestureRequirementRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <cmath>

namespace tessarin {

namespace {

QString modeDetail(TrackpadSpaceSwitchMode mode) {
    switch (mode) {
    case TrackpadSpaceSwitchMode::whileSwiping:
        return QStringLiteral("Switch immediately when each swipe completes.");
    case TrackpadSpaceSwitchMode::afterTap:
        return QStringLiteral("Keep the grid open until a three-finger tap, a space click, or the "
                              "configured Select key.");
    case TrackpadSpaceSwitchMode::afterDelay:
        break;
    }
    return QStringLiteral("Preview moves in the grid, then switch after the selected delay.");
}

QPixmap tinted(const QImage& symbol, const QColor& colour) {
    QImage image = symbol.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QColor pixel = colour;
            pixel.setAlpha(qAlpha(image.pixel(x, y)));
            image.setPixelColor(x, y, pixel);
        }
    }
    return QPixmap::fromImage(image.scaled(14, 14, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

} // namespace

TrackpadSettingsViewController::TrackpadSettingsViewController(
    TrackpadSwipeSettingsStore& store, OpenURL openURL,
    SystemGestureStatusSource systemGestureStatus, Published<TrackpadRawInputState>* rawInputState)
    : store_(store), openURL_(std::move(openURL)),
      systemGestureStatus_(std::move(systemGestureStatus)), rawInputState_(rawInputState) {
    if (!openURL_) {
        openURL_ = [](const std::string& url) { Host::current().system().openURL(url); };
    }
    if (!systemGestureStatus_) {
        systemGestureStatus_ = [] { return TrackpadSystemGestureDetector::current(); };
    }
    if (rawInputState_ == nullptr) {
        rawInputState_ = &TrackpadRawInputCoordinator::shared().state;
    }
}

TrackpadSettingsViewController::~TrackpadSettingsViewController() {
    *alive_ = false;
    if (activationToken_ != 0) {
        Host::current().programActivation().removeObserver(activationToken_);
    }
}

void TrackpadSettingsViewController::viewDidLoad() {
    setupControls();
    bindStore();
    renderPage();
}

void TrackpadSettingsViewController::setupControls() {
    systemGestureStatusRow_ = new QWidget();
    auto* statusLayout = new QHBoxLayout(systemGestureStatusRow_);
    statusLayout->setContentsMargins(0, 0, 0, 0);
    statusLayout->setSpacing(5);
    systemGestureStatusIcon_ = new QLabel(systemGestureStatusRow_);
    systemGestureStatusIcon_->setObjectName(QStringLiteral("trackpad.status.systemGestures.icon"));
    systemGestureStatusIcon_->setFixedSize(14, 14);
    systemGestureStatusLabel_ = new QLabel(systemGestureStatusRow_);
    systemGestureStatusLabel_->setObjectName(QStringLiteral("trackpad.status.systemGestures.text"));
    QFont statusFont = SettingsPageLayout::rowDetailFont();
    statusFont.setWeight(QFont::DemiBold);
    systemGestureStatusLabel_->setFont(statusFont);
    statusLayout->addWidget(systemGestureStatusIcon_, 0, Qt::AlignVCenter);
    statusLayout->addWidget(systemGestureStatusLabel_, 0, Qt::AlignVCenter);
    keepControl(systemGestureStatusRow_);

    openSystemSettingsButton_ = new QPushButton(QString::fromUtf8("Open Trackpad Settings\u2026"));
    openSystemSettingsButton_->setObjectName(QStringLiteral("trackpad.control.openSystemSettings"));
    QObject::connect(openSystemSettingsButton_, &QPushButton::clicked, openSystemSettingsButton_,
                     [this] { openTrackpadSystemSettings(); });
    keepControl(openSystemSettingsButton_);

    swipeNavigationSwitch_ = new SettingsSwitch();
    configureSwitch(*swipeNavigationSwitch_);
    QObject::connect(swipeNavigationSwitch_, &SettingsSwitch::clicked, swipeNavigationSwitch_,
                     [this] { swipeNavigationChanged(); });
    keepControl(swipeNavigationSwitch_);

    navigationFingerCountPopup_ = new SettingsPopUpButton();
    configurePopupButton(*navigationFingerCountPopup_);
    navigationFingerCountPopup_->addItemWithRawValue(QStringLiteral("Three fingers"), "three");
    navigationFingerCountPopup_->addItemWithRawValue(QStringLiteral("Four fingers"), "four");
    navigationFingerCountPopup_->onSelectionChanged = [this](const QVariant&) {
        navigationFingerCountChanged();
    };
    keepControl(navigationFingerCountPopup_);

    spaceSwitchModePopup_ = new SettingsPopUpButton();
    configurePopupButton(*spaceSwitchModePopup_);
    spaceSwitchModePopup_->addItemWithRawValue(QStringLiteral("After delay"), "afterDelay");
    spaceSwitchModePopup_->addItemWithRawValue(QStringLiteral("While swiping"), "whileSwiping");
    spaceSwitchModePopup_->addItemWithRawValue(QStringLiteral("After tap"), "afterTap");
    spaceSwitchModePopup_->onSelectionChanged = [this](const QVariant&) {
        spaceSwitchModeChanged();
    };
    keepControl(spaceSwitchModePopup_);

    switchDelaySlider_ = new SettingsSliderControl(300, 2000, 50, switchDelayText);
    switchDelaySlider_->slider()->setObjectName(
        QStringLiteral("trackpad.control.switchDelay.slider"));
    QObject::connect(switchDelaySlider_->slider(), &QSlider::valueChanged, switchDelaySlider_,
                     [this] { switchDelayChanged(); });
    keepControl(switchDelaySlider_);

    directionReversedSwitch_ = new SettingsSwitch();
    configureSwitch(*directionReversedSwitch_);
    QObject::connect(directionReversedSwitch_, &SettingsSwitch::clicked, directionReversedSwitch_,
                     [this] { directionReversedChanged(); });
    keepControl(directionReversedSwitch_);
}

void TrackpadSettingsViewController::bindStore() {
    const auto render = [this, alive = std::weak_ptr<bool>(alive_)] {
        if (auto living = alive.lock(); living && *living) {
            renderPage();
        }
    };
    cancellables_.push_back(store_.revision.subscribe([render](const int64_t&) { render(); }));
    cancellables_.push_back(
        rawInputState_->subscribe([render](const TrackpadRawInputState&) { render(); }));
    // Becoming active is heard at once; the render waits for the queue's next turn, as the
    // stored changes' do.
    activationToken_ = Host::current().programActivation().addObserver([render](bool active) {
        if (active) {
            MainQueue::main().async(render);
        }
    });
}

std::vector<QWidget*> TrackpadSettingsViewController::makeRows() {
    const bool enabled = store_.navigationEnabled();
    const TrackpadSpaceSwitchMode mode = store_.switchMode();
    std::vector<QWidget*> rows;
    rows.push_back(new SettingsRowView(
        QStringLiteral("Enable trackpad swipes"),
        QStringLiteral("Use a raw three- or four-finger trackpad swipe for Tessarin navigation."),
        swipeNavigationSwitch_, std::nullopt, QStringLiteral("trackpad.control.swipeNavigation")));
    if (enabled) {
        const TrackpadSetupInputs inputs{rawInputState_->value(), store_.navigationFingerCount(),
                                         mode, systemGestureStatus_()};
        configureSystemGestureStatus(isTrackpadReady(inputs));
        rows.push_back(new TrackpadSystemGestureRequirementRow(
            QStringLiteral("Trackpad setup"), systemGestureRequirementHelpText(inputs),
            systemGestureStatusRow_, openSystemSettingsButton_));
    }
    const auto dependent = [&rows, enabled](SettingsRowView* row) {
        row->applyEnabledState(enabled);
        rows.push_back(row);
    };
    dependent(
        new SettingsRowView(QStringLiteral("Swipe with"),
                            QStringLiteral("Only the selected finger count controls Tessarin; "
                                           "the other remains available to macOS."),
                            navigationFingerCountPopup_, std::nullopt,
                            QStringLiteral("trackpad.control.navigationFingerCount")));
    dependent(new SettingsRowView(QStringLiteral("Switch spaces"), modeDetail(mode),
                                  spaceSwitchModePopup_, std::nullopt,
                                  QStringLiteral("trackpad.control.spaceSwitchMode")));
    if (mode == TrackpadSpaceSwitchMode::afterDelay) {
        dependent(new SettingsRowView(
            QStringLiteral("Delay"),
            QStringLiteral(
                "How long Tessarin waits after the final swipe before switching spaces."),
            switchDelaySlider_, std::nullopt, QStringLiteral("trackpad.control.switchDelay")));
    }
    dependent(new SettingsRowView(
        QStringLiteral("Reverse trackpad direction"),
        QStringLiteral("Flip the direction Tessarin moves for each trackpad swipe."),
        directionReversedSwitch_, std::nullopt,
        QStringLiteral("trackpad.control.directionReversed")));
    return rows;
}

void TrackpadSettingsViewController::renderPage() {
    swipeNavigationSwitch_->setOn(store_.navigationEnabled());
    navigationFingerCountPopup_->selectItemWithRawValue(
        QString::fromStdString(rawValue(store_.navigationFingerCount())));
    spaceSwitchModePopup_->selectItemWithRawValue(
        QString::fromStdString(rawValue(store_.switchMode())));
    {
        const QSignalBlocker quiet(switchDelaySlider_->slider());
        switchDelaySlider_->setValue(switchDelaySlider_->normalizedValue(
            static_cast<int>(store_.switchDelayMilliseconds())));
    }
    directionReversedSwitch_->setOn(store_.directionReversed());
    installPageMadeBy([this] {
        return std::vector<QWidget*>{
            new SettingsSectionView(QStringLiteral("Gestures"),
                                    QStringLiteral("trackpad.section.gestures.title"), makeRows())};
    });
}

void TrackpadSettingsViewController::configureSystemGestureStatus(bool ready) {
    statusReady_ = ready;
    if (systemGestureStatusLabel_ == nullptr) {
        return; // not made yet
    }
    const QColor colour = statusTextColour(ready ? systemGreen : systemYellow,
                                           SettingsPageLayout::effectiveAppearance());
    systemGestureStatusLabel_->setText(ready ? QStringLiteral("Status: OK")
                                             : QStringLiteral("Status: Setup Needed"));
    systemGestureStatusLabel_->setAccessibleName(ready ? QStringLiteral("Configured")
                                                       : QStringLiteral("Setup needed"));
    SettingsPageLayout::setTextColor(*systemGestureStatusLabel_, colour);
    const char* symbol = ready ? "checkmark.circle.fill" : "exclamationmark.circle.fill";
    systemGestureStatusIcon_->setAccessibleName(systemGestureStatusLabel_->accessibleName());
    systemGestureStatusIcon_->setProperty("symbol", QString::fromLatin1(symbol));
    if (const auto image = Host::current().symbols().image(symbol)) {
        systemGestureStatusIcon_->setPixmap(tinted(*image, colour));
    } else {
        systemGestureStatusIcon_->clear();
    }
}

void TrackpadSettingsViewController::swipeNavigationChanged() {
    store_.setNavigationEnabled(swipeNavigationSwitch_->isOn());
    renderPage();
}

void TrackpadSettingsViewController::directionReversedChanged() {
    store_.setDirectionReversed(directionReversedSwitch_->isOn());
}

void TrackpadSettingsViewController::navigationFingerCountChanged() {
    const auto raw = navigationFingerCountPopup_->selectedRawValue();
    const auto count =
        raw ? fromRawValue<TrackpadNavigationFingerCount>(raw->toString().toStdString())
            : std::nullopt;
    if (!count) {
        return;
    }
    store_.setNavigationFingerCount(*count);
    renderPage();
}

void TrackpadSettingsViewController::spaceSwitchModeChanged() {
    const auto raw = spaceSwitchModePopup_->selectedRawValue();
    const auto mode =
        raw ? fromRawValue<TrackpadSpaceSwitchMode>(raw->toString().toStdString()) : std::nullopt;
    if (!mode) {
        return;
    }
    store_.setSpaceSwitchMode(*mode);
    renderPage();
}

void TrackpadSettingsViewController::switchDelayChanged() {
    const auto requested = static_cast<int64_t>(std::lround(switchDelaySlider_->slider()->value()));
    store_.setSwitchDelayMilliseconds(requested);
    const QSignalBlocker quiet(switchDelaySlider_->slider());
    switchDelaySlider_->setValue(
        switchDelaySlider_->normalizedValue(static_cast<int>(store_.switchDelayMilliseconds())));
}

void TrackpadSettingsViewController::openTrackpadSystemSettings() {
    openURL_(trackpadSettingsURL);
}

} // namespace tessarin
