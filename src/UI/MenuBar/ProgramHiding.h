#pragma once

#include "Platform/Program/ProgramActivation.h"

#include <QPointer>
#include <QWidget>
#include <vector>

namespace tessarin {

// Hiding the program as the host's toolkit does: its windows leave the screen (not the status
// item or System Settings' pane, which are the host's) and it stops being active; they come back
// when it becomes active again or everything is shown. Main thread only.
class ProgramHiding {
public:
    ProgramHiding();
    ~ProgramHiding();
    ProgramHiding(const ProgramHiding&) = delete;
    ProgramHiding& operator=(const ProgramHiding&) = delete;

    void hide();
    // Shows the windows it hid that are still there.
    void unhide();

private:
    ProgramActivation& activation_;
    std::vector<QPointer<QWidget>> hiddenWindows_;
    ProgramActivation::Token activationToken_ = 0;
};

} // namespace tessarin
