#pragma once

#include <QColor>
#include <QToolButton>

namespace tessarin {

// An image-only button of the OSD footer. It draws itself rather than through the widget style,
// whose raised panel follows the program's palette, not the OSD's chrome: a pale block over a
// dark HUD. Under the pointer it lays a faint wash of the chrome's label colour under its
// symbol, a stronger one while pressed, so the symbol stays as readable as at rest.
class OSDFooterButton final : public QToolButton {
    Q_OBJECT

public:
    static constexpr double cornerRadius = 5;
    static constexpr double hoverOpacity = 0.14;
    static constexpr double pressedOpacity = 0.24;

    explicit OSDFooterButton(QWidget* parent);

    // The chrome's label colour, which the symbol is tinted with and the highlight is made of.
    void setLabelColor(const QColor& color);
    const QColor& labelColor() const { return labelColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor labelColor_{255, 255, 255};
};

} // namespace tessarin
