#pragma once

#include "Platform/StatusBar/StatusBarChangeFeed.h"

#include <QColor>
#include <QImage>
#include <memory>

class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace tessarin {

class MainQueue;
class Menu;
class StatusBar;
class StatusBarButton;

// Shows the host's status items on the real desktop: each change of the status bar is drawn
// into Qt's tray icon (a title is drawn into the icon), or, where the desktop has no tray, into
// a small frameless window at the top right of the menu-bar display's image that opens the same
// menu when clicked. The window and the menu are the host's menu bar: the pointer over them lies
// on the status item, on the menu-bar display, so an item acts on the display it describes.
// Choosing an entry performs the host item. Made after the host and dropped before it; the
// program makes one for its run:
//
//     StatusBarMirror statusBarMirror(Host::current().statusBar());
class StatusBarMirror {
public:
    explicit StatusBarMirror(StatusBar& statusBar);
    ~StatusBarMirror();
    StatusBarMirror(const StatusBarMirror&) = delete;
    StatusBarMirror& operator=(const StatusBarMirror&) = delete;

    // The picture of a button at 22 points: its image (a template image tinted), or its title.
    static QImage picture(const StatusBarButton& button, const QColor& tint);
    // A Qt menu with the host menu's entries; choosing one performs the host item.
    static std::unique_ptr<QMenu> makeMenu(const std::shared_ptr<Menu>& menu);
    // Brings a Qt menu made from the same host menu up to date; false when the entries no
    // longer line up (the menu must then be made anew).
    static bool updateMenu(QMenu& shown, const std::shared_ptr<Menu>& menu);

    // Whether a window is a mirror's stand-in for the tray: the host's, not the program's.
    static bool isMirrorWindow(const QWidget& window);

    bool usesTray() const { return tray_ != nullptr; }
    // Whether the tray icon or the window is on screen.
    bool isShowing() const;

private:
    void scheduleUpdate();
    void update();

    StatusBar& statusBar_;
    MainQueue& queue_;
    StatusBarChangeFeed::Token token_ = 0;
    bool updateScheduled_ = false;
    std::shared_ptr<bool> alive_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::unique_ptr<QWidget> window_;
    std::unique_ptr<QMenu> menu_;
};

} // namespace tessarin
