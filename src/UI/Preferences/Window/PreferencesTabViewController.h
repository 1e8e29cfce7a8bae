#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"
#include "UI/Preferences/Window/PreferencesPage.h"
#include "UI/Preferences/Window/PreferencesPageFactory.h"

#include <QPointer>
#include <QToolBar>
#include <map>
#include <memory>
#include <vector>

class QWidget;

namespace tessarin {

class SettingsPageViewController;
class UserDefaults;

// Owns the five pages for the window's life, shows one at a time under the toolbar, names the
// window after it and remembers the page last chosen in the toolbar.
class PreferencesTabViewController {
public:
    static constexpr const char* selectedPageKey = "preferences.selectedPage";
    static constexpr int viewWidth = 660;
    static constexpr int viewHeight = 760;

    // Creates every page at once; each builds its view when first shown.
    PreferencesTabViewController(UserDefaults& defaults, const PreferencesPageFactory& makePage);
    ~PreferencesTabViewController();
    PreferencesTabViewController(const PreferencesTabViewController&) = delete;
    PreferencesTabViewController& operator=(const PreferencesTabViewController&) = delete;

    // The stored page when it is a known, available one; Display otherwise.
    static PreferencesPage restoredPage(const UserDefaults& defaults,
                                        const std::vector<PreferencesPage>& availablePages);

    // Made on first use; shows the selected page without storing it.
    QWidget* view();
    // The toolbar of the window, kept weakly: the window owns it.
    QToolBar* makeToolbar();
    QToolBar* toolbar() const { return toolbar_; }

    // The toolbar's choice of the page named `identifier`: shown and stored.
    void toolbarItemSelected(const QString& identifier);
    void selectPage(PreferencesPage page, bool persistSelection);
    // The toolbar's checked item and the window title follow the selected page.
    void synchronizeWindowChrome();

    PreferencesPage selectedPage() const { return selectedPage_; }
    const std::vector<PreferencesPage>& availablePages() const { return availablePages_; }
    SettingsPageViewController* currentViewController() const { return currentViewController_; }
    SettingsPageViewController& pageController(PreferencesPage page) const;

private:
    bool isAvailable(PreferencesPage page) const;
    // The items' symbols drawn for the current appearance, again whenever it changes.
    void applyToolbarIcons();

    QWidget* view_ = nullptr;
    QWidget* contentContainerView_ = nullptr;
    std::map<PreferencesPage, std::unique_ptr<SettingsPageViewController>> pages_;
    UserDefaults& defaults_;
    std::vector<PreferencesPage> availablePages_;
    QPointer<QToolBar> toolbar_;
    SettingsPageViewController* currentViewController_ = nullptr;
    PreferencesPage selectedPage_ = PreferencesPage::display;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
