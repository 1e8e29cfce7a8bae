#include "UI/Preferences/Window/PreferencesPage.h"

namespace tessarin {

int rawValue(PreferencesPage page) {
    switch (page) {
    case PreferencesPage::keyboard:
        return 1;
    case PreferencesPage::trackpad:
        return 4;
    case PreferencesPage::system:
        return 2;
    case PreferencesPage::about:
        return 3;
    case PreferencesPage::display:
        break;
    }
    return 0;
}

std::optional<PreferencesPage> preferencesPage(int64_t raw) {
    for (const PreferencesPage page : allPreferencesPages) {
        if (rawValue(page) == raw) {
            return page;
        }
    }
    return std::nullopt;
}

QString title(PreferencesPage page) {
    switch (page) {
    case PreferencesPage::keyboard:
        return QStringLiteral("Keyboard");
    case PreferencesPage::trackpad:
        return QStringLiteral("Trackpad");
    case PreferencesPage::system:
        return QStringLiteral("System");
    case PreferencesPage::about:
        return QStringLiteral("About");
    case PreferencesPage::display:
        break;
    }
    return QStringLiteral("Display");
}

QString toolbarItemIdentifier(PreferencesPage page) {
    return QStringLiteral("preferences.toolbar.") + title(page).toLower();
}

std::optional<PreferencesPage> preferencesPage(const QString& identifier) {
    for (const PreferencesPage page : allPreferencesPages) {
        if (toolbarItemIdentifier(page) == identifier) {
            return page;
        }
    }
    return std::nullopt;
}

std::optional<std::string>
toolbarSymbolName(PreferencesPage page,
                  const std::function<bool(const std::string&)>& symbolExists) {
    std::vector<std::string> candidates;
    switch (page) {
    case PreferencesPage::display:
        candidates = {"display"};
        break;
    case PreferencesPage::keyboard:
        candidates = {"keyboard"};
        break;
    case PreferencesPage::trackpad:
        candidates = {"rectangle.and.hand.point.up.left", "hand.point.up.left"};
        break;
    case PreferencesPage::system:
        candidates = {"gear"};
        break;
    case PreferencesPage::about:
        candidates = {"info.circle"};
        break;
    }
    for (const std::string& name : candidates) {
        if (symbolExists(name)) {
            return name;
        }
    }
    return std::nullopt;
}

} // namespace tessarin
