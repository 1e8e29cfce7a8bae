#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QColorDialog>
#include <QPointer>
#include <functional>

namespace tessarin {

// A swatch of a colour; a click opens a colour panel as a sheet on the window, and every colour
// chosen there is taken at once.
class SettingsColorWell final : public QAbstractButton {
    Q_OBJECT

public:
    explicit SettingsColorWell(QWidget* parent = nullptr);

    QColor color() const { return color_; }
    // Shows the colour without telling anyone.
    void setColor(const QColor& color);
    // The colour panel while it is open, else nothing.
    QColorDialog* colorPanel() const { return panel_; }

    // Told of each colour the user picks.
    std::function<void(const QColor&)> onColorChanged;

    QSize sizeHint() const override { return {44, 24}; }

    // How much of a disabled well's border shows over its card.
    static constexpr qreal disabledBorderOpacity = 0.65;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openPanel();

    QColor color_{Qt::white};
    QPointer<QColorDialog> panel_;
};

} // namespace tessarin
