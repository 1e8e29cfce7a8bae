#include "UI/Preferences/Kit/SettingsSheet.h"

#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsFooterView.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsSeparatorView.h"
#include "UI/Text/ViewPointFontSize.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tessarin {

namespace L = SettingsPageLayout;

namespace {

QFont sheetTitleFont() {
    QFont font;
    setViewPointSize(font, 20);
    font.setWeight(QFont::DemiBold);
    return font;
}

} // namespace

SettingsSheet::SettingsSheet(const QSize& size, const QString& title, const QString& subtitle,
                             QWidget* parent)
    : QWidget(parent), designedHeight_(size.height()),
      titleLabel_(L::makeLabel(title, sheetTitleFont())),
      subtitleLabel_(L::makeLabel(subtitle, L::rowTitleFont())), sectionSlot_(new QVBoxLayout),
      footer_(new SettingsFooterView), appearanceObserver_([this] { applyColors(); }) {
    setFixedSize(size);
    subtitleLabel_->setWordWrap(true);
    applyColors();
    auto* content = new QVBoxLayout;
    content->setContentsMargins(40, 28, 40, 0);
    content->setSpacing(0);
    content->addWidget(titleLabel_);
    content->addSpacing(4);
    content->addWidget(subtitleLabel_);
    content->addSpacing(16);
    content->addLayout(sectionSlot_);
    content->addStretch(1);
    content->addSpacing(24);

    footer_->setFixedHeight(72);
    auto* buttons = new QHBoxLayout(footer_);
    buttons->setContentsMargins(40, 0, 40, 0);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(content, 1);
    layout->addWidget(new SettingsSeparatorView);
    layout->addWidget(footer_);
}

void SettingsSheet::setSection(QWidget* section) {
    if (section_) {
        sectionSlot_->removeWidget(section_);
        section_->hide();
        section_->deleteLater();
    }
    section_ = section;
    sectionSlot_->addWidget(section);
    fitHeight();
}

void SettingsSheet::fitHeight() {
    // The wrapping subtitle and detail lines give the sheet a height for its width.
    const int height = std::max(designedHeight_, heightForWidth(width()));
    if (height != this->height() || minimumHeight() != maximumHeight()) {
        setFixedHeight(height);
    }
}

bool SettingsSheet::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // A row whose text changed (a detail line that follows its setting) asks for another
    // layout; the sheet grows or shrinks with it rather than lay lines over each other.
    if (event->type() == QEvent::LayoutRequest) {
        fitHeight();
    }
    return handled;
}

QPushButton* SettingsSheet::addButton(const QString& title, bool isDefault,
                                      std::function<void()> action) {
    QPushButton* button = makeButton(title, std::move(action));
    if (isDefault) {
        button->setMinimumWidth(86);
        defaultButton_ = button;
        markDefaultButton();
    }
    static_cast<QHBoxLayout*>(footer_->layout())->addWidget(button);
    return button;
}

QPushButton* SettingsSheet::addLeadingButton(const QString& title, std::function<void()> action) {
    QPushButton* button = makeButton(title, std::move(action));
    static_cast<QHBoxLayout*>(footer_->layout())->insertWidget(0, button);
    return button;
}

QPushButton* SettingsSheet::makeButton(const QString& title, std::function<void()> action) {
    auto* button = new QPushButton(title);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, this, [action = std::move(action)] {
        if (action) {
            action();
        }
    });
    return button;
}

void SettingsSheet::applyColors() {
    const Appearance appearance = L::effectiveAppearance();
    L::setTextColor(*titleLabel_, L::resolvedColor(SettingsSystemColor::label, appearance));
    L::setTextColor(*subtitleLabel_,
                    L::resolvedColor(SettingsSystemColor::secondaryLabel, appearance));
    update();
}

void SettingsSheet::setDefaultButtonTakesReturn(bool takes) {
    defaultButtonTakesReturn_ = takes;
    markDefaultButton();
}

// The accent marks the button Return presses; a sheet that records Return shows none.
void SettingsSheet::markDefaultButton() {
    if (defaultButton_) {
        defaultButton_->setDefault(defaultButtonTakesReturn_);
    }
}

void SettingsSheet::keyPressEvent(QKeyEvent* event) {
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (isReturn && defaultButtonTakesReturn_ && defaultButton_ && defaultButton_->isEnabled()) {
        event->accept();
        defaultButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SettingsSheet::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(
        rect(), L::resolvedColor(SettingsSystemColor::windowBackground, L::effectiveAppearance()));
}

void SettingsSheet::begin(QWidget& window) {
    beginSheet(*this, window);
}

void SettingsSheet::end() {
    endSheet(*this);
}

} // namespace tessarin
