#include "UI/Preferences/Kit/DisplayTargetPopUp.h"

#include "Model/Settings/DisplaySelectionTargetList.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"

namespace tessarin {

void showDisplayTargets(SettingsPopUpButton& popUp, const DisplaySelectionTargetList& targets) {
    popUp.clear();
    for (const std::string& title : targets.titles()) {
        popUp.addItem(QString::fromStdString(title));
    }
    popUp.setEnabled(targets.isChoosable());
    if (const auto index = targets.selectedIndex()) {
        popUp.setCurrentIndex(*index);
    }
}

} // namespace tessarin
