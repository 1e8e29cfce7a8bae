#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace tessarin {

class SettingsFooterView;

// The shared layout of the settings sheets: a title over a subtitle, one section, and a footer
// bar under a hairline that holds the buttons, the default one 40 points from the trailing
// edge. It is as wide as it was made and at least as tall; a section taller than that makes
// it taller rather than crush its rows, also when a row's text changes while it is shown. It is
// shown as a sheet of its window (window-modal) and only hidden when it ends, so the controls in it
// live on. Its texts take the label colours of the appearance.
class SettingsSheet final : public QWidget {
    Q_OBJECT

public:
    SettingsSheet(const QSize& size, const QString& title, const QString& subtitle,
                  QWidget* parent = nullptr);

    // Shows `section` under the subtitle, growing the sheet to fit it; a previous one is
    // deleted later (a rebuild may start from a control inside it).
    void setSection(QWidget* section);
    QWidget* section() const { return section_; }

    // Adds a footer button; the default one is at least 86 points wide and, unless told
    // otherwise, Return presses it and it is drawn as the accent button.
    QPushButton* addButton(const QString& title, bool isDefault, std::function<void()> action);
    // A button 40 points from the footer's leading edge.
    QPushButton* addLeadingButton(const QString& title, std::function<void()> action);
    // A sheet whose section records keys must leave Return to them.
    void setDefaultButtonTakesReturn(bool takes);

    void begin(QWidget& window);
    void end();

    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* subtitleLabel() const { return subtitleLabel_; }
    SettingsFooterView* footer() const { return footer_; }

protected:
    // Fits the height again whenever the layout is redone.
    bool event(QEvent* event) override;
    // Return and Enter reach the sheet when the focused control leaves them.
    void keyPressEvent(QKeyEvent* event) override;
    // The window background of the appearance, under the title and the section.
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* makeButton(const QString& title, std::function<void()> action);
    void markDefaultButton();
    // As tall as designed, or as its content needs at its width.
    void fitHeight();
    void applyColors();

    int designedHeight_;
    QLabel* titleLabel_;
    QLabel* subtitleLabel_;
    QVBoxLayout* sectionSlot_;
    QPointer<QWidget> section_;
    SettingsFooterView* footer_;
    QPointer<QPushButton> defaultButton_;
    bool defaultButtonTakesReturn_ = true;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
