#pragma once

#include <QAbstractButton>

namespace tessarin {

// An on/off switch: a checkable button drawn as a sliding knob in a pill.
class SettingsSwitch final : public QAbstractButton {
    Q_OBJECT

public:
    explicit SettingsSwitch(QWidget* parent = nullptr);

    bool isOn() const { return isChecked(); }
    void setOn(bool on) { setChecked(on); }
    // The small size the pages use.
    void setMiniControlSize();

    QSize sizeHint() const override;

    // The track's colour on and off, and how much of a disabled switch shows over its card.
    static QColor trackColor(bool on);
    static constexpr qreal disabledOpacity = 0.5;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize size_{38, 22};
};

} // namespace tessarin
