#pragma once

#include <QColor>
#include <QWidget>

namespace tessarin {

// The HUD backdrop behind an OSD grid: a translucent fill in a rounded rectangle with a faint
// white rim, the two faded together by the backdrop's opacity.
class OSDBackdropView final : public QWidget {
public:
    static constexpr double cornerRadius = 24;
    static constexpr double borderWidth = 0.5;

    explicit OSDBackdropView(QWidget* parent);

    void setFill(const QColor& fill);
    const QColor& fill() const { return fill_; }
    void setOpacity(double opacity);
    double opacity() const { return opacity_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
    double opacity_ = 1;
};

} // namespace tessarin
