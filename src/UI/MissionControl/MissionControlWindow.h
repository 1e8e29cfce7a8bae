#pragma once

#include "Platform/MissionControl.h"
#include "UI/MissionControl/MissionControlLayout.h"
#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QImage>
#include <QWidget>
#include <vector>

class QLabel;

namespace tessarin {

class MissionControlSpaceTile;

// The host's Mission Control on one display, as a person sees it: a full-screen view over the
// display's frame with the strip of its Spaces' pictures, their names under them and the current
// one ringed, and the current Space's picture large below. A click on a picture goes to that
// Space; Escape or a click outside the strip leaves. It is the host's window (the Dock's), not
// the program's: hiding the program leaves it, and the keys given to it are not the program's.
class MissionControlWindow final : public QWidget {
    Q_OBJECT

public:
    MissionControlWindow(MissionControl& missionControl, DisplayID displayID);

    DisplayID displayID() const { return displayID_; }
    // Shows what Mission Control shows on the display now: its frame, Spaces and pictures.
    void refresh();

    // The picture of the Space at `position` (1 for the first) in the strip, and its name.
    static QString tileName(int position);
    static QString nameLabelName(int position);
    // Whether a window is one of Mission Control's, the host's rather than the program's.
    static bool isMissionControlWindow(const QWidget& window);

    const MissionControlLayout& layout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuild();
    void placeTiles();
    void applyAppearance();
    void applyGeometry();
    QImage pictureOf(SpaceID spaceID, QSize size) const;

    MissionControl& missionControl_;
    DisplayID displayID_;
    std::vector<MissionControl::ShownSpace> shown_;
    std::vector<MissionControlSpaceTile*> tiles_;
    std::vector<QLabel*> names_;
    MissionControlLayout layout_;
    QImage desktop_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
