#include "UI/Preferences/Display/OSDAppearanceModePickerControl.h"

#include "Platform/Input/HostKeyEvent.h"
#include "UI/Preferences/Display/OSDAppearancePreviewPainter.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace tessarin {

namespace {

constexpr uint16_t leftArrowKeyCode = 123;
constexpr uint16_t rightArrowKeyCode = 124;
constexpr int labelTop = 63;
constexpr int labelHeight = 18;
const QColor controlAccent(0, 122, 255);

} // namespace

QString title(OSDAppearanceMode mode) {
    switch (mode) {
    case OSDAppearanceMode::light:
        return QStringLiteral("Light");
    case OSDAppearanceMode::dark:
        return QStringLiteral("Dark");
    case OSDAppearanceMode::automatic:
        break;
    }
    return QStringLiteral("Auto");
}

OSDAppearanceModePickerControl::OSDAppearanceModePickerControl(QWidget* parent)
    : QWidget(parent), modes_{OSDAppearanceMode::light, OSDAppearanceMode::dark,
                              OSDAppearanceMode::automatic} {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void OSDAppearanceModePickerControl::setSelectedMode(OSDAppearanceMode mode) {
    if (mode == selectedMode_) {
        return;
    }
    selectedMode_ = mode;
    update();
}

void OSDAppearanceModePickerControl::applySettingsEnabledState(bool enabled) {
    setEnabled(enabled);
    update();
}

int OSDAppearanceModePickerControl::contentWidth(int modeCount) {
    return modeCount <= 0 ? 0 : modeCount * cellSide + (modeCount - 1) * cellSpacing;
}

QSize OSDAppearanceModePickerControl::sizeHint() const {
    return {contentWidth(static_cast<int>(modes_.size())), cellSide};
}

QRectF OSDAppearanceModePickerControl::cellRect(std::size_t index) const {
    const double x0 =
        std::max((width() - contentWidth(static_cast<int>(modes_.size()))) / 2.0, 0.0);
    const double y0 = std::max((height() - cellSide) / 2.0, 0.0);
    return {x0 + static_cast<double>(index) * (cellSide + cellSpacing), y0, cellSide, cellSide};
}

QRectF OSDAppearanceModePickerControl::previewRect(const QRectF& cell) {
    return {cell.center().x() - previewWidth / 2.0, cell.top() + 5, previewWidth, previewHeight};
}

std::optional<OSDAppearanceMode> OSDAppearanceModePickerControl::mode(const QPointF& point) const {
    for (std::size_t i = 0; i < modes_.size(); ++i) {
        const QRectF cell = cellRect(i);
        // Half-open, as the system's hit test is: a gap's first point belongs to no cell.
        if (point.x() >= cell.left() && point.x() < cell.right() && point.y() >= cell.top() &&
            point.y() < cell.bottom()) {
            return modes_[i];
        }
    }
    return std::nullopt;
}

void OSDAppearanceModePickerControl::mousePressEvent(QMouseEvent* event) {
    if (!isEnabled()) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    if (const auto hit = mode(event->position())) {
        setSelectedMode(*hit);
        sendAction();
    }
}

void OSDAppearanceModePickerControl::keyPressEvent(QKeyEvent* event) {
    const std::optional<Event> key = isEnabled() ? hostKeyEvent(*event) : std::nullopt;
    if (!key) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (key->keyCode() == rightArrowKeyCode || key->keyCode() == leftArrowKeyCode) {
        selectByOffset(key->keyCode() == rightArrowKeyCode ? 1 : -1);
        return;
    }
    if (key->characters == " " || key->characters == "\r" || key->characters == "\n") {
        sendAction();
        return;
    }
    QWidget::keyPressEvent(event);
}

void OSDAppearanceModePickerControl::selectByOffset(int offset) {
    const auto current = std::ranges::find(modes_, selectedMode_);
    if (current == modes_.end()) {
        return;
    }
    const int count = static_cast<int>(modes_.size());
    const int index = (static_cast<int>(current - modes_.begin()) + offset + count) % count;
    setSelectedMode(modes_[static_cast<std::size_t>(index)]);
    sendAction();
}

void OSDAppearanceModePickerControl::sendAction() {
    if (onAction) {
        onAction();
    }
}

void OSDAppearanceModePickerControl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        update();
    }
    QWidget::changeEvent(event);
}

void OSDAppearanceModePickerControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Appearance appearance = SettingsPageLayout::effectiveAppearance();
    const bool enabled = isEnabled();
    for (std::size_t i = 0; i < modes_.size(); ++i) {
        const OSDAppearanceMode current = modes_[i];
        const QRectF cell = cellRect(i);
        const QRectF preview = previewRect(cell);
        const bool selected = current == selectedMode_;
        if (selected) {
            QColor ring = controlAccent;
            ring.setAlphaF(enabled ? 1.0F : 0.45F);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(ring, 4));
            painter.drawRoundedRect(preview.adjusted(-5, -5, 5, 5), 13, 13);
        }
        drawOSDAppearancePreview(painter, current, preview);
        QFont font = SettingsPageLayout::rowTitleFont();
        font.setWeight(selected ? QFont::DemiBold : QFont::Medium);
        painter.setFont(font);
        const SettingsSystemColor colour = !enabled   ? SettingsSystemColor::disabledControlText
                                           : selected ? SettingsSystemColor::label
                                                      : SettingsSystemColor::secondaryLabel;
        painter.setPen(SettingsPageLayout::resolvedColor(colour, appearance));
        painter.drawText(QRectF(cell.left(), cell.top() + labelTop, cell.width(), labelHeight),
                         Qt::AlignHCenter | Qt::AlignTop, title(current));
    }
}

} // namespace tessarin
