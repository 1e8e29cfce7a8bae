#pragma once

#include <QProxyStyle>

class QPushButton;

namespace tessarin {

// The look every window of the program shares over the toolkit's own style: push buttons keep
// their titles clear of their edges, a default button is drawn as the accent button, scroll bar
// thumbs stand out from their tracks, and a slider's track and tick marks show in either
// appearance. Colours follow the host's appearance at each drawing.
class ProgramStyle final : public QProxyStyle {
    Q_OBJECT

public:
    ProgramStyle();

    // Makes it the application's style, once; without a widget application it does nothing.
    static void install();

    // Room between a push button's title and each of its side edges.
    static constexpr int buttonTitlePadding = 14;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;

    // The colour a push button's title is drawn in: white on the accent bezel of a default
    // button, else the palette's button text.
    static QColor buttonTitleColor(const QPushButton& button);

    // The scroll bar thumb and the unfilled slider track of the appearance now in force.
    static QColor scrollBarThumbColor();
    static QColor scrollBarTrackColor();
    static QColor sliderTrackColor();

private:
    void drawScrollBar(const QStyleOptionComplex* option, QPainter* painter,
                       const QWidget* widget) const;
    void drawSlider(const QStyleOptionComplex* option, QPainter* painter,
                    const QWidget* widget) const;
    void drawDefaultButtonBevel(const QStyleOption* option, QPainter* painter) const;
};

} // namespace tessarin
