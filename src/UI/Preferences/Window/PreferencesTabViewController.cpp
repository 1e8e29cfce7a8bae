#include "UI/Preferences/Window/PreferencesTabViewController.h"

#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Symbols/SystemSymbolImages.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Preferences/Window/PreferencesToolbarIcon.h"

#include <QAction>
#include <QVBoxLayout>
#include <algorithm>

namespace tessarin {

PreferencesTabViewController::PreferencesTabViewController(UserDefaults& defaults,
                                                           const PreferencesPageFactory& makePage)
    : defaults_(defaults), availablePages_(allPreferencesPages.begin(), allPreferencesPages.end()),
      appearanceObserver_([this] { applyToolbarIcons(); }) {
    for (const PreferencesPage page : availablePages_) {
        pages_[page] = makePage(page);
    }
    selectedPage_ = restoredPage(defaults_, availablePages_);
}

PreferencesTabViewController::~PreferencesTabViewController() {
    // The pages' views live in this view; the pages delete them first.
    for (auto& [page, controller] : pages_) {
        if (controller->isViewLoaded()) {
            controller->view()->setParent(nullptr);
        }
    }
    pages_.clear();
    delete view_;
}

PreferencesPage
PreferencesTabViewController::restoredPage(const UserDefaults& defaults,
                                           const std::vector<PreferencesPage>& availablePages) {
    if (!defaults.contains(selectedPageKey)) {
        return PreferencesPage::display;
    }
    const std::optional<PreferencesPage> stored =
        preferencesPage(defaults.integerValue(selectedPageKey).value_or(0));
    if (!stored || std::ranges::find(availablePages, *stored) == availablePages.end()) {
        return PreferencesPage::display;
    }
    return *stored;
}

QWidget* PreferencesTabViewController::view() {
    if (view_ != nullptr) {
        return view_;
    }
    view_ = new SettingsContentBackgroundView();
    view_->resize(viewWidth, viewHeight);
    auto* layout = new QVBoxLayout(view_);
    layout->setContentsMargins(0, 0, 0, 0);
    contentContainerView_ = new QWidget(view_);
    auto* containerLayout = new QVBoxLayout(contentContainerView_);
    containerLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(contentContainerView_);
    selectPage(selectedPage_, false);
    return view_;
}

QToolBar* PreferencesTabViewController::makeToolbar() {
    auto* toolbar = new QToolBar();
    toolbar->setObjectName(QStringLiteral("preferences.toolbar"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    for (const PreferencesPage page : availablePages_) {
        auto* item = new QAction(title(page), toolbar);
        item->setObjectName(toolbarItemIdentifier(page));
        item->setToolTip(title(page) + QStringLiteral(" settings"));
        item->setCheckable(true);
        // The symbol the page names, whether or not the host has it.
        const auto named = toolbarSymbolName(page, [](const std::string&) { return true; });
        item->setProperty("symbol", QString::fromStdString(named.value_or(std::string())));
        const QString identifier = toolbarItemIdentifier(page);
        QObject::connect(item, &QAction::triggered, toolbar,
                         [this, identifier] { toolbarItemSelected(identifier); });
        toolbar->addAction(item);
    }
    toolbar_ = toolbar;
    applyToolbarIcons();
    synchronizeWindowChrome();
    return toolbar;
}

void PreferencesTabViewController::applyToolbarIcons() {
    if (toolbar_ == nullptr) {
        return;
    }
    const SystemSymbolImages& symbols = Host::current().symbols();
    const auto symbolExists = [&symbols](const std::string& name) {
        return symbols.image(name).has_value();
    };
    const Appearance appearance = SettingsPageLayout::effectiveAppearance();
    for (const PreferencesPage page : availablePages_) {
        auto* item = toolbar_->findChild<QAction*>(toolbarItemIdentifier(page));
        const auto symbol = toolbarSymbolName(page, symbolExists);
        if (item != nullptr && symbol) {
            item->setIcon(preferencesToolbarIcon(*symbols.image(*symbol), appearance));
        }
    }
}

void PreferencesTabViewController::toolbarItemSelected(const QString& identifier) {
    const std::optional<PreferencesPage> page = preferencesPage(identifier);
    if (!page || !isAvailable(*page)) {
        return;
    }
    selectPage(*page, true);
}

void PreferencesTabViewController::selectPage(PreferencesPage page, bool persistSelection) {
    if (!isAvailable(page)) {
        page = PreferencesPage::display;
    }
    if (page == selectedPage_ && currentViewController_ != nullptr) {
        synchronizeWindowChrome();
        return;
    }
    selectedPage_ = page;
    if (persistSelection) {
        defaults_.set(selectedPageKey, PropertyValue(int64_t{rawValue(page)}));
    }
    if (contentContainerView_ == nullptr) {
        view();
        return;
    }
    if (currentViewController_ != nullptr) {
        currentViewController_->view()->hide();
        contentContainerView_->layout()->removeWidget(currentViewController_->view());
    }
    SettingsPageViewController& next = pageController(page);
    QWidget* pageView = next.view();
    pageView->setParent(contentContainerView_);
    contentContainerView_->layout()->addWidget(pageView);
    pageView->show();
    currentViewController_ = &next;
    synchronizeWindowChrome();
}

void PreferencesTabViewController::synchronizeWindowChrome() {
    if (toolbar_ != nullptr) {
        for (QAction* item : toolbar_->actions()) {
            item->setChecked(item->objectName() == toolbarItemIdentifier(selectedPage_));
        }
    }
    if (view_ != nullptr && view_->window() != view_) {
        view_->window()->setWindowTitle(title(selectedPage_) + QStringLiteral(" Settings"));
    }
}

SettingsPageViewController&
PreferencesTabViewController::pageController(PreferencesPage page) const {
    return *pages_.at(page);
}

bool PreferencesTabViewController::isAvailable(PreferencesPage page) const {
    return std::ranges::find(availablePages_, page) != availablePages_.end();
}

} // namespace tessarin
