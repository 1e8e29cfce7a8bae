#include "UI/Preferences/About/OpenSourceLicensesWindowController.h"

#include "UI/Preferences/About/OpenSourceLicensesContent.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"
#include "UI/Text/EmojiFont.h"
#include "UI/Text/ViewPointFontSize.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace tessarin {

OpenSourceLicensesWindowController::OpenSourceLicensesWindowController()
    : OpenSourceLicensesWindowController(
          OpenSourceLicensesContent::text(OpenSourceLicensesContent::packageResourceBundle())) {}

OpenSourceLicensesWindowController::OpenSourceLicensesWindowController(const QString& contentText)
    : window_(std::make_unique<PreferencesPanel>()),
      appearanceObserver_([this] { applyTextColor(); }) {
    // Titled, closable and resizable; never miniaturised.
    window_->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                            Qt::WindowMaximizeButtonHint | Qt::CustomizeWindowHint);
    window_->setObjectName(QStringLiteral("openSourceLicenses.window"));
    window_->setWindowTitle(QStringLiteral("Open Source Licenses"));
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    window_->resize(contentWidth, contentHeight);
    window_->setMinimumSize(minimumWidth, minimumHeight);

    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    auto* background = new SettingsContentBackgroundView(window_.get());
    layout->addWidget(background);
    auto* backgroundLayout = new QVBoxLayout(background);
    backgroundLayout->setContentsMargins(0, 0, 0, 0);

    textView_ = new QPlainTextEdit(background);
    textView_->setObjectName(contentTextViewIdentifier);
    textView_->setPlainText(contentText);
    textView_->setReadOnly(true);
    textView_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Text to read and select, not to type in: no caret, though the keys still move a selection.
    textView_->setCursorWidth(0);
    textView_->setFrameShape(QFrame::NoFrame);
    textView_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    textView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textView_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    textView_->viewport()->setAutoFillBackground(false);
    textView_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    setViewPointSize(font, 12);
    textView_->setFont(font);
    applyTextColor();
    textView_->document()->setDocumentMargin(16);
    EmojiFont::apply(*textView_->document());
    backgroundLayout->addWidget(textView_);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        window_->move(available.center() - QPoint(contentWidth / 2, contentHeight / 2));
    }
}

OpenSourceLicensesWindowController::~OpenSourceLicensesWindowController() = default;

void OpenSourceLicensesWindowController::applyTextColor() {
    SettingsPageLayout::setTextColor(
        *textView_, SettingsPageLayout::resolvedColor(SettingsSystemColor::label,
                                                      SettingsPageLayout::effectiveAppearance()));
}

} // namespace tessarin
