#include "UI/Preferences/About/AboutSettingsViewController.h"

#include "Platform/Host.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/Program/ProgramBundle.h"
#include "UI/Preferences/About/OpenSourceLicensesWindowController.h"
#include "UI/Preferences/About/SoftwareUpdateController.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "UI/Text/ViewPointFontSize.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

namespace tessarin {

namespace {

constexpr int iconSide = 96;

QLabel* makeCentredLabel(const QString& text, const QFont& font, const char* identifier) {
    QLabel* label = SettingsPageLayout::makeLabel(text, font);
    label->setObjectName(identifier);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(false);
    return label;
}

QFont systemFont(int points, QFont::Weight weight) {
    QFont font = SettingsPageLayout::rowTitleFont();
    setViewPointSize(font, points);
    font.setWeight(weight);
    return font;
}

} // namespace

AboutSettingsViewController::AboutSettingsViewController(
    const ProgramBundle& bundle, AppIconProvider appIconProvider,
    SoftwareUpdateChecking& softwareUpdateController)
    : bundle_(bundle), appIconProvider_(std::move(appIconProvider)),
      softwareUpdateController_(softwareUpdateController),
      appearanceObserver_([this] { applyTextColors(); }) {}

AboutSettingsViewController::~AboutSettingsViewController() = default;

void AboutSettingsViewController::viewDidLoad() {
    std::vector<QWidget*> rows{new SettingsRowView(QStringLiteral("Licenses"), std::nullopt,
                                                   makeOpenSourceLicensesButton())};
    auto* openSource = new SettingsSectionView(QStringLiteral("Open Source"),
                                               openSourceSectionTitleIdentifier, rows);
    const std::optional<QImage> icon = appIconProvider_ ? appIconProvider_(bundle_) : std::nullopt;
    installPage({makeApplicationHeaderView(icon), openSource});
}

QWidget* AboutSettingsViewController::makeApplicationHeaderView(const std::optional<QImage>& icon) {
    auto* container = new QWidget();
    auto* stack = new QVBoxLayout(container);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(10);
    if (icon && !icon->isNull()) {
        auto* image = new QLabel(container);
        image->setObjectName(applicationIconIdentifier);
        image->setProperty("programIcon", true);
        image->setFixedSize(iconSide, iconSide);
        image->setPixmap(QPixmap::fromImage(
            icon->scaled(iconSide, iconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        image->setAlignment(Qt::AlignCenter);
        stack->addWidget(image, 0, Qt::AlignHCenter);
    }
    QLabel* header = makeCentredLabel(applicationHeaderText(), systemFont(17, QFont::DemiBold),
                                      applicationHeaderIdentifier);
    stack->addWidget(header, 0, Qt::AlignHCenter);
    stack->addSpacing(3 - stack->spacing());
    QLabel* build = makeCentredLabel(applicationIdentifierText(), systemFont(11, QFont::Normal),
                                     applicationIdentifierIdentifier);
    headerLabel_ = header;
    identifierLabel_ = build;
    applyTextColors();
    stack->addWidget(build, 0, Qt::AlignHCenter);
    stack->addSpacing(12 - stack->spacing());
    auto* updates = new QPushButton(QString::fromUtf8("Check for Updates\u2026"), container);
    updates->setObjectName(checkForUpdatesIdentifier);
    QObject::connect(updates, &QPushButton::clicked, updates, [this] { checkForUpdates(); });
    stack->addWidget(updates, 0, Qt::AlignHCenter);
    return container;
}

void AboutSettingsViewController::applyTextColors() {
    namespace L = SettingsPageLayout;
    const Appearance appearance = L::effectiveAppearance();
    if (headerLabel_ != nullptr) {
        L::setTextColor(*headerLabel_, L::resolvedColor(SettingsSystemColor::label, appearance));
    }
    // The faintest text that still reads: the secondary colour.
    if (identifierLabel_ != nullptr) {
        L::setTextColor(*identifierLabel_,
                        L::resolvedColor(SettingsSystemColor::secondaryLabel, appearance));
    }
}

QPushButton* AboutSettingsViewController::makeOpenSourceLicensesButton() {
    auto* button = new QPushButton(QStringLiteral("Open Source Licenses"));
    button->setObjectName(openSourceLicensesIdentifier);
    QObject::connect(button, &QPushButton::clicked, button, [this] { openSourceLicenses(); });
    return button;
}

std::optional<QString> AboutSettingsViewController::infoString(const std::string& key) const {
    const PropertyValue* value = bundle_.infoValue(key);
    if (value == nullptr || !value->isString()) {
        return std::nullopt;
    }
    return QString::fromStdString(value->stringValue().value_or(""));
}

QString AboutSettingsViewController::applicationHeaderText() const {
    return QStringLiteral("Tessarin ") +
           infoString("CFBundleShortVersionString").value_or(QStringLiteral("Unknown"));
}

QString AboutSettingsViewController::applicationIdentifierText() const {
    if (const auto commit = infoString("GitCommitHash")) {
        const QString trimmed = commit->trimmed();
        if (!trimmed.isEmpty() && trimmed != QStringLiteral("unknown")) {
            return trimmed;
        }
    }
    return QStringLiteral("Build ") +
           infoString("CFBundleVersion").value_or(QStringLiteral("Unknown"));
}

void AboutSettingsViewController::checkForUpdates() {
    if (!softwareUpdateController_.hasUpdater()) {
        SoftwareUpdateController::showMissingConfigurationAlert();
        return;
    }
    softwareUpdateController_.checkForUpdates();
}

void AboutSettingsViewController::openSourceLicenses() {
    if (!licensesWindowController_) {
        licensesWindowController_ = std::make_unique<OpenSourceLicensesWindowController>();
    }
    PreferencesPanel* window = licensesWindowController_->window();
    if (window == nullptr) {
        return;
    }
    Host::current().programActivation().activate();
    window->show();
    window->raise();
    window->activateWindow();
    window->raise();
}

std::vector<std::pair<std::string, std::string>>
AboutSettingsViewController::iconCandidates(const std::string& name) {
    const std::filesystem::path path(name);
    if (path.has_extension()) {
        std::string extension = path.extension().string().substr(1);
        std::string stem = name.substr(0, name.size() - extension.size() - 1);
        return {{stem, extension}, {name, ""}};
    }
    return {{name, "icns"}, {name, "png"}, {name, ""}};
}

std::optional<QImage> AboutSettingsViewController::loadAppIconImage(const ProgramBundle& bundle) {
    const PropertyValue* value = bundle.infoValue("CFBundleIconFile");
    const std::string name =
        value != nullptr && value->isString() ? value->stringValue().value_or("") : "";
    if (name.empty()) {
        return std::nullopt;
    }
    for (const auto& [resource, extension] : iconCandidates(name)) {
        const auto path = bundle.pathForResource(resource, extension);
        const auto bytes = path ? bundle.contentsOfFile(*path) : std::nullopt;
        if (!bytes) {
            continue;
        }
        QImage image = QImage::fromData(*bytes);
        if (!image.isNull()) {
            return image;
        }
    }
    return bundle.imageNamed(name);
}

} // namespace tessarin
