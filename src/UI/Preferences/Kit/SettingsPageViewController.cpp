#include "UI/Preferences/Kit/SettingsPageViewController.h"

#include "UI/Preferences/Kit/SettingsColorWell.h"
#include "UI/Preferences/Kit/SettingsControlShelf.h"
#include "UI/Preferences/Kit/SettingsFocusCarry.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsSegmentedControl.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"

#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tessarin {

namespace L = SettingsPageLayout;

FlippedContainerView::FlippedContainerView(QWidget* parent) : QWidget(parent) {
    resize(580, 760);
}

SettingsContentBackgroundView::SettingsContentBackgroundView(QWidget* parent) : QWidget(parent) {
    resize(620, 700);
}

void SettingsContentBackgroundView::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(
        rect(), L::resolvedColor(SettingsSystemColor::windowBackground, L::effectiveAppearance()));
}

SettingsPageViewController::SettingsPageViewController()
    : shelf_(std::make_unique<SettingsControlShelf>()), scrollView_(new QScrollArea),
      contentContainerView_(new FlippedContainerView),
      documentLayout_(new QVBoxLayout(contentContainerView_)) {
    documentLayout_->setContentsMargins(L::pageInset, L::pageInset, L::pageInset, L::pageInset);
    documentLayout_->setSpacing(0);
    documentLayout_->addStretch(1);
}

SettingsPageViewController::~SettingsPageViewController() {
    if (view_ != nullptr) {
        delete view_;
    } else {
        delete scrollView_;
        delete contentContainerView_;
    }
}

QWidget* SettingsPageViewController::view() {
    if (view_ == nullptr) {
        loadView();
        viewDidLoad();
    }
    return view_;
}

void SettingsPageViewController::loadView() {
    auto* background = new SettingsContentBackgroundView;
    scrollView_->setFrameShape(QFrame::NoFrame);
    scrollView_->setAutoFillBackground(false);
    scrollView_->viewport()->setAutoFillBackground(false);
    scrollView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollView_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The document always spans the visible width; only its height scrolls.
    scrollView_->setWidgetResizable(true);
    scrollView_->setWidget(contentContainerView_);
    // The background view's colour shows through the scroll area and its document.
    contentContainerView_->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(background);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollView_);
    view_ = background;
}

void SettingsPageViewController::installPage(const std::vector<QWidget*>& sections) {
    // Taken before the old rows hide, which moves the focus away from them.
    installSections(sections, SettingsFocusCarry::takeOff(sectionStack_));
}

void SettingsPageViewController::installPageMadeBy(
    const std::function<std::vector<QWidget*>()>& makeSections) {
    const SettingsFocusCarry focus = SettingsFocusCarry::takeOff(sectionStack_);
    installSections(makeSections(), focus);
}

void SettingsPageViewController::installSections(const std::vector<QWidget*>& sections,
                                                 const SettingsFocusCarry& focus) {
    if (sectionStack_ != nullptr) {
        documentLayout_->removeWidget(sectionStack_);
        sectionStack_->hide();
        sectionStack_->setParent(nullptr);
        sectionStack_->deleteLater();
    }
    sectionStack_ = new QWidget;
    auto* stack = new QVBoxLayout(sectionStack_);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(L::sectionSpacing);
    for (QWidget* section : sections) {
        stack->addWidget(section);
    }
    documentLayout_->insertWidget(0, sectionStack_);
    // Shown now rather than on the layout's later turn: until then the document would count
    // as empty, the scroll range would collapse and the page would land back at its top.
    sectionStack_->show();
    documentLayout_->activate();
    const int height = sectionStack_->sizeHint().height() + 2 * L::pageInset;
    contentContainerView_->resize(contentContainerView_->width(), height);
    focus.restoreIn(*sectionStack_);
}

std::vector<QWidget*> SettingsPageViewController::installedSections() const {
    std::vector<QWidget*> sections;
    if (sectionStack_ == nullptr) {
        return sections;
    }
    auto* stack = static_cast<QVBoxLayout*>(sectionStack_->layout());
    for (int index = 0; index < stack->count(); ++index) {
        if (QWidget* section = stack->itemAt(index)->widget()) {
            sections.push_back(section);
        }
    }
    return sections;
}

void SettingsPageViewController::keepControl(QWidget* control) {
    shelf_->keep(control);
}

void SettingsPageViewController::configurePopupButton(SettingsPopUpButton& popup) {
    popup.setRegularUnborderedStyle();
}

void SettingsPageViewController::configureSwitch(SettingsSwitch& control) {
    control.setMiniControlSize();
}

void SettingsPageViewController::configureColorWell(SettingsColorWell& well) {
    well.setFixedSize(L::colorWellWidth, L::colorWellHeight);
}

void SettingsPageViewController::configureSegmentedControl(SettingsSegmentedControl& control) {
    control.setRegularControlSize();
    control.setSelectOneTracking();
}

} // namespace tessarin
