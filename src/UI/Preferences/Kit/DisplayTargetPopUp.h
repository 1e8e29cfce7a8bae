#pragma once

namespace tessarin {

class DisplaySelectionTargetList;
class SettingsPopUpButton;

// Shows a page's display targets in its pop-up: their titles, the selected one, and the pop-up
// enabled only when there is a choice.
void showDisplayTargets(SettingsPopUpButton& popUp, const DisplaySelectionTargetList& targets);

} // namespace tessarin
