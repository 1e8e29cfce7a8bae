#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QWidget>
#include <string>

class QLabel;

namespace tessarin {

// A wrapped line of explanation inside a settings card, in the secondary label colour of the
// appearance.
class WorkspaceExplanationRowView final : public QWidget {
public:
    WorkspaceExplanationRowView(const std::string& text, const std::string& textIdentifier);

private:
    void applyColors();

    QLabel* label_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
