#pragma once

#include "Platform/SystemSettings/SystemSettings.h"
#include "UI/SystemSettings/SystemSettingsPaneWindow.h"

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QVBoxLayout;

namespace tessarin {

// The host's Privacy pane: the pane's name and what it allows, then the list of programs with a
// switch each, which takes a bundle dropped on it. Its lower part stays free for the permission
// guide.
class PrivacyPaneWindow final : public SystemSettingsPaneWindow {
    Q_OBJECT

public:
    static constexpr int minimumWidth = 420;
    static constexpr int minimumHeight = 440;

    explicit PrivacyPaneWindow(SystemSettings& settings);

    // "Accessibility", "Screen Recording".
    static QString paneTitle(const std::string& service);
    static QString paneDetail(const std::string& service);
    // The name of a row's switch in the list.
    static QString switchName(const std::string& bundleIdentifier);

protected:
    bool takePane(const std::string& pane) override;
    void rebuild() override;

private:
    QWidget* makeRow(const PrivacyPaneEntry& entry);

    std::string service_;
    std::vector<PrivacyPaneEntry> shownEntries_;
    QWidget* list_;
    QVBoxLayout* rows_;
    QLabel* emptyNote_;
};

} // namespace tessarin
