#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QImage>
#include <QToolButton>
#include <string>

namespace tessarin {

// A borderless button showing one of the system's symbol images; the symbol's name is kept as
// its text when the system has no such picture.
class SymbolImageButton final : public QToolButton {
    Q_OBJECT

public:
    SymbolImageButton(const std::string& symbolName, const QString& accessibilityDescription,
                      QWidget* parent = nullptr);

    // False when the system had no picture and the button shows its fallback text.
    bool showsSymbolImage() const { return showsSymbolImage_; }

private:
    // Symbols are template pictures: drawn in the label colour of the appearance.
    void applyAppearance();
    QPixmap tinted(const QColor& color) const;

    QImage symbol_;
    bool showsSymbolImage_ = false;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
