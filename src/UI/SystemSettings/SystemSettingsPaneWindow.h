#pragma once

#include "Platform/SystemSettings/SystemSettings.h"
#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/SystemSettings/PaneWindowStacking.h"

#include <QWidget>
#include <string>

class QLabel;
class QVBoxLayout;

namespace tessarin {

// A pane of the host's System Settings as a person sees it on the desktop: the pane's name and
// what it is for over what it shows, at the host window's frame (window-server coordinates are
// the desktop's). A move or resize by the window manager moves the host window; closing it
// closes System Settings' window. It is the host's window, not the program's, and it draws
// itself again in a new appearance.
class SystemSettingsPaneWindow : public QWidget {
    Q_OBJECT

public:
    // Whether a window belongs to the host's System Settings rather than to the program.
    static bool isPaneWindow(const QWidget& window);

    // Shows what the host's window shows now: the pane `pane` (an address without its scheme),
    // up to date, at the host window's frame.
    void showPane(const std::string& pane);
    // In front with the keys, above the program's floating windows while it keeps them.
    void bringFront() { stacking_.bringFront(); }
    bool standsAboveFloatingWindows() const { return stacking_.standsAbove(); }

    // A system colour in the current appearance; a font of the pane's in view points.
    static QColor colour(SettingsSystemColor role);
    static QFont paneFont(double points, bool semibold);

protected:
    // Names the window `name` and its labels `name`.title and `name`.detail; `bottomInset`
    // keeps the window's lower part free.
    SystemSettingsPaneWindow(SystemSettings& settings, const QString& name, int bottomInset);

    // Takes what the host's pane shows; true when that differs from what the window shows.
    virtual bool takePane(const std::string& pane) = 0;
    // Makes the window's content again from what it took, in the current appearance.
    virtual void rebuild() = 0;

    SystemSettings& settings() { return settings_; }
    // Under the title and the detail line.
    QVBoxLayout* column() { return column_; }
    void setPaneText(const QString& title, const QString& detail);

    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void redraw();
    void applyGeometry(const Rect& bounds);
    void reportGeometry();

    SystemSettings& settings_;
    QLabel* title_;
    QLabel* detail_;
    QVBoxLayout* column_;
    bool applyingGeometry_ = false;
    SettingsAppearanceObserver appearanceObserver_;
    PaneWindowStacking stacking_{*this};
};

} // namespace tessarin
