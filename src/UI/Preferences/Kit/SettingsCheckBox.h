#pragma once

#include <QCheckBox>

namespace tessarin {

// A check box whose box stands out from the card it lies on in either appearance (its border
// as plainly as a switch's track), filled with the accent colour when checked, and faded when
// disabled as a switch is.
class SettingsCheckBox final : public QCheckBox {
    Q_OBJECT

public:
    explicit SettingsCheckBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessarin
