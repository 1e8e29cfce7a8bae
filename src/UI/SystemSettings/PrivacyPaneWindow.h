#pragma once

#include "Platform/SystemSettings/SystemSettings.h"
#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QVBoxLayout;

namespace tessarin {

// The host's Privacy pane as a person sees it on the desktop: the pane's name and what it
// allows, then the list of programs with a switch each, which takes a bundle dropped on it.
// Its frame is the host window's frame (window-server coordinates are the desktop's), and a
// move or resize by the window manager moves the host window; closing it closes System
// Settings' window. It is the host's window, not the program's.
class PrivacyPaneWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int minimumWidth = 420;
    static constexpr int minimumHeight = 440;

    explicit PrivacyPaneWindow(SystemSettings& settings);

    // Shows what the host's window shows now: the pane of `service`, its list and its frame.
    void showPane(const std::string& service);

    // "Accessibility", "Screen Recording".
    static QString paneTitle(const std::string& service);
    static QString paneDetail(const std::string& service);
    // The name of a row's switch in the list.
    static QString switchName(const std::string& bundleIdentifier);
    // Whether a window belongs to the host's System Settings rather than to the program.
    static bool isPaneWindow(const QWidget& window);

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void rebuild();
    QWidget* makeRow(const PrivacyPaneEntry& entry);
    void applyGeometry(const Rect& bounds);
    void reportGeometry();

    SystemSettings& settings_;
    std::string service_;
    std::vector<PrivacyPaneEntry> shownEntries_;
    QLabel* title_;
    QLabel* detail_;
    QWidget* list_;
    QVBoxLayout* rows_;
    QLabel* emptyNote_;
    bool applyingGeometry_ = false;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
