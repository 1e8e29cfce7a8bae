#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QWidget>
#include <optional>
#include <string>

namespace tessarin {

// The column titles above the direct-slot rows, lined up with their name fields, checkboxes
// and recorders, in the secondary label colour of the appearance.
class DirectSlotColumnsHeaderRow final : public QWidget {
public:
    explicit DirectSlotColumnsHeaderRow(const std::optional<std::string>& headerIdentifier);

private:
    void applyColors();

    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
