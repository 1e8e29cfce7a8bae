#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QPushButton;

namespace tessarin {

class OpenSourceLicensesWindowController;
class ProgramBundle;
class SoftwareUpdateChecking;

// The About page: the program's icon, name and version, its build line, "Check for Updates…"
// and the button of the licences window. Its texts are read once, when the page is built.
class AboutSettingsViewController final : public SettingsPageViewController {
public:
    using AppIconProvider = std::function<std::optional<QImage>(const ProgramBundle&)>;

    static constexpr const char* applicationIconIdentifier = "about.application.icon";
    static constexpr const char* applicationHeaderIdentifier = "about.application.header";
    static constexpr const char* applicationIdentifierIdentifier = "about.application.identifier";
    static constexpr const char* checkForUpdatesIdentifier = "about.application.checkForUpdates";
    static constexpr const char* openSourceSectionTitleIdentifier =
        "about.section.openSource.title";
    static constexpr const char* openSourceLicensesIdentifier = "about.openSource.licenses";

    AboutSettingsViewController(const ProgramBundle& bundle, AppIconProvider appIconProvider,
                                SoftwareUpdateChecking& softwareUpdateController);
    ~AboutSettingsViewController() override;

    // "Tessarin " and the marketing version, or "Unknown" when it is not a text.
    QString applicationHeaderText() const;
    // The commit, unless it is blank or the placeholder "unknown"; else "Build " and the build
    // number, or "Unknown".
    QString applicationIdentifierText() const;

    // Through the update holder; an unconfigured one shows the missing-configuration alert.
    void checkForUpdates();
    // Opens the one licences window, made on first use, in front of every window.
    void openSourceLicenses();
    OpenSourceLicensesWindowController* openSourceLicensesWindowController() const {
        return licensesWindowController_.get();
    }

    // The resources tried for the icon file name, in order: (name, extension).
    static std::vector<std::pair<std::string, std::string>> iconCandidates(const std::string& name);
    // The Info.plist's icon file, else the bundle's image of that name; nothing when neither
    // loads.
    static std::optional<QImage> loadAppIconImage(const ProgramBundle& bundle);

protected:
    void viewDidLoad() override;

private:
    std::optional<QString> infoString(const std::string& key) const;
    QWidget* makeApplicationHeaderView(const std::optional<QImage>& icon);
    QPushButton* makeOpenSourceLicensesButton();
    // The header's texts in the colours of the current appearance, again whenever it changes.
    void applyTextColors();

    const ProgramBundle& bundle_;
    AppIconProvider appIconProvider_;
    SoftwareUpdateChecking& softwareUpdateController_;
    std::unique_ptr<OpenSourceLicensesWindowController> licensesWindowController_;
    QPointer<QLabel> headerLabel_;
    QPointer<QLabel> identifierLabel_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
