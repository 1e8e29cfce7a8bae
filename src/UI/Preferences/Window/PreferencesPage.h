#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tessarin {

// The pages of the preferences window, in toolbar order. The stored raw values follow an older
// order: the Trackpad page came last, so it keeps 4.
enum class PreferencesPage { display, keyboard, trackpad, system, about };

inline constexpr std::array allPreferencesPages{PreferencesPage::display, PreferencesPage::keyboard,
                                                PreferencesPage::trackpad, PreferencesPage::system,
                                                PreferencesPage::about};

int rawValue(PreferencesPage page);
// Nothing outside 0...4.
std::optional<PreferencesPage> preferencesPage(int64_t rawValue);

QString title(PreferencesPage page);
// "preferences.toolbar.display" and so on.
QString toolbarItemIdentifier(PreferencesPage page);
std::optional<PreferencesPage> preferencesPage(const QString& toolbarItemIdentifier);

// The system symbol of the page's toolbar item, as far as the system has it: the Trackpad page
// falls back to a plainer hand; the others show no picture without theirs.
std::optional<std::string>
toolbarSymbolName(PreferencesPage page,
                  const std::function<bool(const std::string&)>& symbolExists);

} // namespace tessarin
