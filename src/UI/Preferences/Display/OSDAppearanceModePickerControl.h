#pragma once

#include "Model/Settings/OSDAppearanceMode.h"
#include "UI/Preferences/Kit/SettingsControlEnabling.h"

#include <QRectF>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace tessarin {

// Light, dark or following the system: three miniature desktops with their names under them,
// the chosen one ringed in the accent colour. Every choice, by mouse or arrow keys, calls
// `onAction`; the owner reads `selectedMode` there and stores it.
class OSDAppearanceModePickerControl final : public QWidget, public SettingsControlEnabling {
    Q_OBJECT

public:
    static constexpr int cellSide = 88;
    static constexpr int cellSpacing = 12;
    static constexpr int previewWidth = 76;
    static constexpr int previewHeight = 50;

    explicit OSDAppearanceModePickerControl(QWidget* parent = nullptr);

    const std::vector<OSDAppearanceMode>& modes() const { return modes_; }
    OSDAppearanceMode selectedMode() const { return selectedMode_; }
    // Redraws when the mode changes; sends nothing.
    void setSelectedMode(OSDAppearanceMode mode);

    void applySettingsEnabledState(bool enabled) override;

    std::function<void()> onAction;

    static int contentWidth(int modeCount);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    QRectF cellRect(std::size_t index) const;
    static QRectF previewRect(const QRectF& cell);
    // The mode whose cell holds `point`; gaps and margins hold none.
    std::optional<OSDAppearanceMode> mode(const QPointF& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void selectByOffset(int offset);
    void sendAction();

    std::vector<OSDAppearanceMode> modes_;
    OSDAppearanceMode selectedMode_ = OSDAppearanceMode::automatic;
};

QString title(OSDAppearanceMode mode);

} // namespace tessarin
