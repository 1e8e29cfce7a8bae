#pragma once

#include "UI/MenuBar/MainMenu.h"
#include "UI/MenuBar/ProgramHiding.h"

#include <QObject>
#include <functional>
#include <string>

class QKeyEvent;
class QWidget;

namespace tessarin {

// The application's main menu at work: while one of the program's windows has the keys, a key
// press that types an item's key equivalent performs the item, unless the focused control
// claims the key first (a recorder recording it). Each item goes where the host's toolkit sends
// it: "Settings…" to the preferences target, hiding, showing and quitting to the application,
// "Close Window" to the window that has the keys. The editing items stay with the focused
// control, which edits on those keys itself. Main thread only.
class MainMenuKeyEquivalents final : public QObject {
public:
    using ActionSender = std::function<void(const std::string& action)>;

    MainMenuKeyEquivalents(MainMenu menu, ActionSender sendToPreferencesTarget);
    ~MainMenuKeyEquivalents() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // False for an item that is not performed here.
    bool perform(const MainMenuItem& item, QWidget& keyWindow);
    bool performApplicationAction(const std::string& action);

    MainMenu menu_;
    ActionSender sendToPreferencesTarget_;
    ProgramHiding hiding_;
};

} // namespace tessarin
