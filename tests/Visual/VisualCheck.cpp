#include "Visual/VisualCheck.h"

#include "UI/OSD/OSDGridCellPainter.h"
#include "UI/OSD/OSDGridCellTitleStyle.h"
#include "UI/OSD/OSDGridLayout.h"
#include "UI/OSD/OSDGridView.h"
#include "UI/Preferences/Kit/ProgramStyle.h"
#include "Visual/ControlPartsCheck.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <set>

namespace tessarin::visual {

namespace {

// One way a widget shows text: the text, where it lies in the widget, its font and colour.
struct ShownText {
    QString text;
    QRect box;
    QFont font;
    QColor colour;
};

std::string describe(const QWidget& widget) {
    if (!widget.objectName().isEmpty()) {
        return widget.objectName().toStdString();
    }
    // A toolbar's buttons are named by their items.
    if (const auto* tool = qobject_cast<const QToolButton*>(&widget);
        tool && tool->defaultAction() && !tool->defaultAction()->objectName().isEmpty()) {
        return tool->defaultAction()->objectName().toStdString();
    }
    std::string name = widget.metaObject()->className();
    if (const auto* label = qobject_cast<const QLabel*>(&widget);
        label && !label->text().isEmpty()) {
        name += " \"" + label->text().left(40).toStdString() + "\"";
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget);
               button && !button->text().isEmpty()) {
        name += " \"" + button->text().left(40).toStdString() + "\"";
    }
    return name;
}

std::string format(const char* pattern, double a, double b) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

// Shown, even when squeezed to nothing: a label or control of no size is a fault to report.
bool isShown(const QWidget& widget, const QWidget& window) {
    return &widget == &window || widget.isVisibleTo(&window);
}

// The widget's rectangle in the window, cut to what its ancestors leave visible.
QRect visibleRect(const QWidget& widget, const QWidget& window) {
    QRect visible(widget.mapTo(&window, QPoint()), widget.size());
    for (const QWidget* ancestor = widget.parentWidget(); ancestor && ancestor != &window;
         ancestor = ancestor->parentWidget()) {
        visible &= QRect(ancestor->mapTo(&window, QPoint()), ancestor->size());
    }
    return visible & window.rect();
}

QPalette::ColorGroup colourGroup(const QWidget& widget) {
    return widget.isActiveWindow() ? QPalette::Active : QPalette::Inactive;
}

bool isControl(const QWidget& widget) {
    return qobject_cast<const QAbstractButton*>(&widget) ||
           qobject_cast<const QComboBox*>(&widget) || qobject_cast<const QLineEdit*>(&widget) ||
           qobject_cast<const QAbstractSlider*>(&widget) ||
           qobject_cast<const QAbstractSpinBox*>(&widget) ||
           (widget.focusPolicy() != Qt::NoFocus && !widget.isWindow() &&
            !qobject_cast<const QAbstractScrollArea*>(&widget) &&
            !qobject_cast<const QAbstractScrollArea*>(widget.parentWidget()));
}

int textFlags(const QLabel& label) {
    return static_cast<int>(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
}

std::optional<ShownText> shownText(const QWidget& widget) {
    const QColor colour = widget.palette().color(colourGroup(widget), widget.foregroundRole());
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->text().isEmpty() || !label->pixmap().isNull()) {
            return std::nullopt;
        }
        const QRect content = label->contentsRect();
        const QRect ink =
            label->fontMetrics().boundingRect(content, textFlags(*label), label->text());
        return ShownText{label->text(), ink & content, label->font(), colour};
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        if (button->text().isEmpty()) {
            return std::nullopt;
        }
        // A default button's title is drawn over the accent bezel in the style's own colour.
        const auto* push = qobject_cast<const QPushButton*>(button);
        return ShownText{button->text(), button->rect(), button->font(),
                         push && push->isDefault() ? ProgramStyle::buttonTitleColor(*push)
                                                   : colour};
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(&widget)) {
        if (field->text().isEmpty()) {
            return std::nullopt;
        }
        return ShownText{field->text(), field->rect(), field->font(),
                         field->palette().color(colourGroup(widget), QPalette::Text)};
    }
    if (const auto* popUp = qobject_cast<const QComboBox*>(&widget)) {
        if (popUp->currentText().isEmpty()) {
            return std::nullopt;
        }
        return ShownText{popUp->currentText(), popUp->rect(), popUp->font(), colour};
    }
    if (const auto* editor = qobject_cast<const QPlainTextEdit*>(&widget)) {
        return ShownText{editor->toPlainText(), editor->viewport()->geometry(), editor->font(),
                         editor->palette().color(colourGroup(widget), QPalette::Text)};
    }
    return std::nullopt;
}

// The rectangle a widget fills for its siblings: a label only where its text or picture lies.
QRect occupiedRect(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (!label->pixmap().isNull()) {
            const QSize size = label->hasScaledContents()
                                   ? label->contentsRect().size()
                                   : label->pixmap().deviceIndependentSize().toSize();
            return QStyle::alignedRect(label->layoutDirection(), label->alignment(), size,
                                       label->contentsRect())
                .translated(label->pos());
        }
        if (const auto text = shownText(widget)) {
            return text->box.translated(label->pos());
        }
        return {};
    }
    return widget.geometry();
}

bool takesRoom(const QWidget& widget) {
    return isControl(widget) || qobject_cast<const QLabel*>(&widget) != nullptr ||
           qobject_cast<const QAbstractScrollArea*>(&widget) != nullptr;
}

void checkTextFits(const QLabel& label, std::vector<std::string>& faults) {
    if (label.text().isEmpty() || !label.pixmap().isNull()) {
        return;
    }
    if (label.wordWrap()) {
        const int needed = label.heightForWidth(label.width());
        if (needed > label.height()) {
            faults.push_back(
                describe(label) +
                format(": wrapped text needs %.0f px of height, has %.0f", needed, label.height()));
        }
        return;
    }
    const QRect content = label.contentsRect();
    const QRect ink =
        label.fontMetrics().boundingRect(QRect(0, 0, 100000, 100000), 0, label.text());
    if (ink.width() > content.width() && !label.property("elides").toBool()) {
        faults.push_back(describe(label) +
                         format(": text is %.0f px wide in %.0f", ink.width(), content.width()));
    }
    if (label.fontMetrics().height() > content.height() + 1) {
        faults.push_back(describe(label) + format(": text is %.0f px high in %.0f",
                                                  label.fontMetrics().height(), content.height()));
    }
}

// A layout gives a widget at least its explicit minimum size, else its minimum size hint.
void checkControlSize(const QWidget& widget, std::vector<std::string>& faults) {
    const QSize hint = widget.minimumSizeHint();
    const QSize explicitMinimum = widget.minimumSize();
    const int width = explicitMinimum.width() > 0 ? explicitMinimum.width() : hint.width();
    const int height = explicitMinimum.height() > 0 ? explicitMinimum.height() : hint.height();
    if (widget.width() < width || widget.height() < height) {
        faults.push_back(describe(widget) + ": " + std::to_string(widget.width()) + " x " +
                         std::to_string(widget.height()) + " is smaller than its minimum " +
                         std::to_string(width) + " x " + std::to_string(height));
    }
}

void checkSiblings(const QWidget& parent, const QWidget& window, std::vector<std::string>& faults) {
    std::vector<const QWidget*> shown;
    for (const QObject* child : parent.children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (widget && !widget->isWindow() && isShown(*widget, window) && takesRoom(*widget)) {
            shown.push_back(widget);
        }
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            if (occupiedRect(*shown[i]).intersects(occupiedRect(*shown[j]))) {
                faults.push_back(describe(*shown[i]) + " overlaps " + describe(*shown[j]));
            }
        }
    }
}

void checkSymbol(const QWidget& widget, std::vector<std::string>& faults) {
    const QString symbol = widget.property("symbol").toString();
    if (symbol.isEmpty()) {
        return;
    }
    const auto* label = qobject_cast<const QLabel*>(&widget);
    const auto* button = qobject_cast<const QAbstractButton*>(&widget);
    if ((label && label->pixmap().isNull()) || (button && button->icon().isNull())) {
        faults.push_back(describe(widget) + ": symbol \"" + symbol.toStdString() +
                         "\" has no picture");
    }
}

// A read-only text a person reads and selects draws no caret, though the keys may move in it.
void checkNoCaret(const QWidget& widget, std::vector<std::string>& faults) {
    const auto* editor = qobject_cast<const QPlainTextEdit*>(&widget);
    if (editor != nullptr && editor->isReadOnly() && editor->cursorWidth() > 0 &&
        (editor->textInteractionFlags() & Qt::TextSelectableByKeyboard)) {
        faults.push_back(describe(widget) + ": a read-only text shows a caret");
    }
}

// Whether `icon` shows a drawing: two colours, each on at least a twentieth of its opaque
// pixels, that stand apart at 3 : 1 (a glyph on its ground). A plain shape of one colour, or one
// shaded from light to a little darker, has no such pair.
bool showsADrawing(const QImage& icon) {
    const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, int> bins;
    int opaque = 0;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(row[x]) >= 250) {
                ++opaque;
                ++bins[qRgb(qRed(row[x]) & 0xf0, qGreen(row[x]) & 0xf0, qBlue(row[x]) & 0xf0)];
            }
        }
    }
    std::vector<QColor> common;
    for (const auto& [colour, count] : bins) {
        if (count * 20 >= opaque) {
            common.emplace_back(colour);
        }
    }
    for (std::size_t i = 0; i < common.size(); ++i) {
        for (std::size_t j = i + 1; j < common.size(); ++j) {
            if (contrastRatio(common[i], common[j]) >= 3.0) {
                return true;
            }
        }
    }
    return false;
}

// Where the program's icon is shown it must be there and be a drawing.
void checkProgramIcon(const QWidget& widget, std::vector<std::string>& faults) {
    if (!widget.property("programIcon").toBool()) {
        return;
    }
    const auto* label = qobject_cast<const QLabel*>(&widget);
    if (label == nullptr || label->pixmap().isNull()) {
        faults.push_back(describe(widget) + ": the program's icon has no picture");
    } else if (!showsADrawing(label->pixmap().toImage())) {
        faults.push_back(describe(widget) + ": the program's icon is a plain shape, not a drawing");
    }
}

void checkGlyphs(const QString& text, const QFont& font, const std::string& where,
                 std::vector<std::string>& faults) {
    if (const QString missing = missingCharacters(text, font); !missing.isEmpty()) {
        faults.push_back(where + ": no glyph for \"" + missing.toStdString() + "\"");
    }
}

void checkContrast(const ShownText& text, const QRect& inWindow, const QImage& picture,
                   const std::string& where, std::vector<std::string>& faults) {
    const QColor background = dominantColour(picture, inWindow);
    const double ratio = contrastRatio(text.colour, background);
    const double required = requiredContrast(text.font);
    if (ratio < required) {
        faults.push_back(where + format(": contrast %.2f:1, needs %.1f:1", ratio, required) + " (" +
                         text.colour.name(QColor::HexArgb).toStdString() + " on " +
                         background.name().toStdString() + ")");
    }
}

void addOnce(std::vector<std::string>& faults, std::set<std::string>& seen,
             const std::vector<std::string>& found) {
    for (const std::string& fault : found) {
        if (seen.insert(fault).second) {
            faults.push_back(fault);
        }
    }
}

std::vector<QWidget*> shownWidgets(QWidget& window) {
    std::vector<QWidget*> shown{&window};
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isWindow() && isShown(*widget, window)) {
            shown.push_back(widget);
        }
    }
    return shown;
}

// What holds for the window whatever is scrolled into view.
std::vector<std::string> layoutFaults(QWidget& window) {
    std::vector<std::string> faults;
    for (QWidget* widget : shownWidgets(window)) {
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            checkTextFits(*label, faults);
        }
        if (isControl(*widget)) {
            checkControlSize(*widget, faults);
        }
        checkSiblings(*widget, window, faults);
        checkSymbol(*widget, faults);
        checkProgramIcon(*widget, faults);
        checkNoCaret(*widget, faults);
        if (const auto text = shownText(*widget)) {
            checkGlyphs(text->text, text->font, describe(*widget), faults);
        }
    }
    for (const QAction* action : window.findChildren<QAction*>()) {
        const QString symbol = action->property("symbol").toString();
        if (!symbol.isEmpty() && action->icon().isNull()) {
            faults.push_back(action->objectName().toStdString() + ": symbol \"" +
                             symbol.toStdString() + "\" has no picture");
        }
    }
    return faults;
}

// The contrast of the text wholly in view in `picture`.
std::vector<std::string> contrastFaults(QWidget& window, const QImage& picture) {
    std::vector<std::string> faults;
    for (QWidget* widget : shownWidgets(window)) {
        const auto text = shownText(*widget);
        if (!text || !widget->isEnabled() || text->box.isEmpty()) {
            continue;
        }
        const QRect inWindow = text->box.translated(widget->mapTo(&window, QPoint()));
        if (visibleRect(*widget, window).contains(inWindow)) {
            checkContrast(*text, inWindow, picture, describe(*widget), faults);
        }
    }
    return faults;
}

double luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// A control must stand out from what lies around it, as a person tells a control from its card,
// and a disabled one must still show yet be told apart from the same control enabled. A
// control is measured by its ink: how strongly the most contrasting of its pixels stand out
// from its surroundings, ignoring a few stray pixels of antialiasing.
constexpr double enabledControlInk = 3.0;
constexpr double disabledControlInk = 1.5;
constexpr double enabledOverDisabledInk = 1.5;

// Where a control is drawn in `widget`: a check box's box, not its title.
QRect controlArea(const QWidget& widget) {
    if (const auto* box = qobject_cast<const QCheckBox*>(&widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        option.icon = box->icon();
        return box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    }
    return widget.rect();
}

// The colour covering most of the band `width` pixels wide around `area`.
QColor surroundingBand(const QImage& picture, const QRect& area, int width) {
    QImage band = picture.copy(area.adjusted(-width, -width, width, width));
    QPainter painter(&band);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRect(QPoint(width, width), area.size()), Qt::transparent);
    painter.end();
    // Transparent pixels, the hole, count as one colour that no real surrounding shares.
    QColor found;
    int most = 0;
    QHash<QRgb, int> counts;
    for (int y = 0; y < band.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(band.constScanLine(y));
        for (int x = 0; x < band.width(); ++x) {
            if (qAlpha(row[x]) == 0) {
                continue;
            }
            const int count = ++counts[row[x] & 0xF0F0F0F0];
            if (count > most) {
                most = count;
                found = QColor::fromRgb(qUnpremultiply(row[x]));
            }
        }
    }
    return found;
}

// How strongly `part` stands out from `around`: the contrast reached by at least as many pixels
// as a quarter of the part's outline, so a border, a track or a line of text counts and a stray
// pixel does not.
double inkReachedBy(const QImage& part, const QColor& around, int enough) {
    std::vector<double> contrasts;
    contrasts.reserve(static_cast<std::size_t>(part.width() * part.height()));
    for (int y = 0; y < part.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(part.constScanLine(y));
        for (int x = 0; x < part.width(); ++x) {
            contrasts.push_back(contrastRatio(QColor::fromRgb(qUnpremultiply(row[x])), around));
        }
    }
    if (contrasts.empty()) {
        return 1;
    }
    const auto count =
        static_cast<std::size_t>(std::clamp(enough, 1, static_cast<int>(contrasts.size())));
    std::nth_element(contrasts.begin(), contrasts.begin() + static_cast<long>(count - 1),
                     contrasts.end(), std::greater<>());
    return contrasts[count - 1];
}

double inkOf(const QImage& part, const QColor& around) {
    return inkReachedBy(part, around, (part.width() + part.height()) / 2);
}

// A read-only text field shows its text as a label does, enabled or not.
bool isLabelLike(const QWidget& widget) {
    const auto* field = qobject_cast<const QLineEdit*>(&widget);
    return field != nullptr && field->isReadOnly();
}

// A control drawn as a shape alone, with no text of its own to show it: a switch, a check box.
bool isBareToggle(const QWidget& widget) {
    const auto* button = qobject_cast<const QAbstractButton*>(&widget);
    return button != nullptr && button->isCheckable() &&
           (qobject_cast<const QCheckBox*>(button) != nullptr || button->text().isEmpty());
}

// The control drawn enabled, over the same desktop, then disabled again.
std::optional<QImage> drawnEnabled(QWidget& window, QWidget& control, const QRect& inWindow,
                                   const QColor& desktop) {
    control.setEnabled(true);
    std::optional<QImage> drawn;
    // A control disabled with its container stays disabled.
    if (control.isEnabled()) {
        QImage picture(inWindow.size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(desktop);
        QPainter painter(&picture);
        painter.drawPixmap(0, 0, window.grab(inWindow));
        painter.end();
        drawn = picture;
    }
    control.setEnabled(false);
    return drawn;
}

void checkControlVisibility(QWidget& window, QWidget& control, const QImage& picture,
                            const QColor& desktop, std::vector<std::string>& faults) {
    const bool bare = isBareToggle(control);
    if (control.isEnabled() && !bare) {
        return;
    }
    const QRect area = controlArea(control);
    const QRect inWindow = area.translated(control.mapTo(&window, QPoint()));
    if (area.isEmpty() || !visibleRect(control, window).contains(inWindow)) {
        return;
    }
    const QColor around = surroundingColour(picture, inWindow, 4);
    const double shown = inkOf(picture.copy(inWindow), around);
    const std::string where = describe(control);
    if (control.isEnabled()) {
        if (shown < enabledControlInk) {
            faults.push_back(where +
                             format(": stands out %.2f:1 from its surroundings, needs %.1f:1",
                                    shown, enabledControlInk));
        }
        return;
    }
    if (shown < disabledControlInk) {
        faults.push_back(where + format(": disabled, it vanishes (%.2f:1, needs %.1f:1)", shown,
                                        disabledControlInk));
    }
    const std::optional<QImage> enabled = drawnEnabled(window, control, inWindow, desktop);
    const double enabledInk = enabled ? inkOf(*enabled, around) : 0;
    if (enabled && enabledInk < shown * enabledOverDisabledInk) {
        faults.push_back(where + format(": disabled (%.2f:1) is not told apart from enabled "
                                        "(%.2f:1)",
                                        shown, enabledInk));
    }
}

// The icon a button shows, in the mode and state the style draws it in.
QPixmap shownIcon(const QAbstractButton& button) {
    const QIcon::Mode mode = button.isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QIcon::State state = button.isChecked() ? QIcon::On : QIcon::Off;
    return button.icon().pixmap(button.iconSize(), mode, state);
}

// An icon tells what its button does, as its title would: it stands out from what the button
// paints behind it as much as a control does from its card. The icon is laid over the colour
// covering most of the button in `picture`, so a checked button's sunken panel counts.
void checkIconContrast(const QAbstractButton& button, const QRect& inWindow, const QImage& picture,
                       std::vector<std::string>& faults) {
    if (!button.isEnabled() || button.icon().isNull()) {
        return;
    }
    const QPixmap icon = shownIcon(button);
    if (icon.isNull()) {
        return;
    }
    const QColor behind = dominantColour(picture, inWindow);
    QImage drawn(icon.deviceIndependentSize().toSize(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(behind);
    QPainter painter(&drawn);
    painter.drawPixmap(drawn.rect(), icon);
    painter.end();
    const double shown = inkOf(drawn, behind);
    if (shown < enabledControlInk) {
        faults.push_back(describe(button) +
                         format(": its icon stands out %.2f:1 from the button, needs %.1f:1", shown,
                                enabledControlInk) +
                         " (on " + behind.name().toStdString() + ")");
    }
}

// The controls wholly in view in `picture` not checked before.
std::vector<std::string> controlFaults(QWidget& window, const QImage& picture,
                                       const QColor& desktop, std::set<const QWidget*>& checked) {
    std::vector<std::string> faults;
    for (QWidget* widget : shownWidgets(window)) {
        if (widget == &window || !isControl(*widget) || qobject_cast<QScrollBar*>(widget) ||
            isLabelLike(*widget) || checked.count(widget) != 0) {
            continue;
        }
        const QRect inWindow(widget->mapTo(&window, QPoint()), widget->size());
        if (!visibleRect(*widget, window).contains(inWindow)) {
            continue;
        }
        checked.insert(widget);
        checkControlVisibility(window, *widget, picture, desktop, faults);
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            checkIconContrast(*button, inWindow, picture, faults);
        }
    }
    return faults;
}

QScrollArea* scrollingArea(QWidget& window) {
    for (QScrollArea* area : window.findChildren<QScrollArea*>()) {
        if (isShown(*area, window) && area->verticalScrollBar()->maximum() > 0) {
            return area;
        }
    }
    return nullptr;
}

} // namespace

QImage pictureOf(QWidget& window, const QColor& desktop) {
    const QPixmap grabbed = window.grab();
    QImage picture(grabbed.size(), QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(grabbed.devicePixelRatio());
    picture.fill(desktop);
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, grabbed);
    return picture;
}

QImage wholePictureOf(QWidget& window, const QColor& desktop) {
    QScrollArea* area = scrollingArea(window);
    if (area == nullptr) {
        return pictureOf(window, desktop);
    }
    QScrollBar* bar = area->verticalScrollBar();
    const int kept = bar->value();
    const QRect port(area->viewport()->mapTo(&window, QPoint()), area->viewport()->size());
    bar->setValue(0);
    const QImage first = pictureOf(window, desktop);
    const qreal scale = first.devicePixelRatio();
    const auto device = [scale](int length) {
        return static_cast<int>(std::lround(length * scale));
    };
    QImage whole(first.width(), first.height() + device(bar->maximum()),
                 QImage::Format_ARGB32_Premultiplied);
    whole.fill(desktop);
    QPainter painter(&whole);
    const QRect portInPicture(device(port.x()), device(port.y()), device(port.width()),
                              device(port.height()));
    // Above the scrolled view, as it stands.
    painter.drawImage(QPoint(0, 0), first, QRect(0, 0, first.width(), portInPicture.top()));
    // The document, one view's height at a time; the last position ends at its bottom.
    QImage last = first;
    for (int position = 0;; position = std::min(position + port.height(), bar->maximum())) {
        bar->setValue(position);
        last = position == 0 ? first : pictureOf(window, desktop);
        const QRect rows(0, portInPicture.top(), last.width(), portInPicture.height());
        painter.drawImage(QPoint(0, portInPicture.top() + device(position)), last, rows);
        if (position >= bar->maximum()) {
            break;
        }
    }
    // Below the scrolled view, after the whole document.
    const int below = portInPicture.bottom() + 1;
    painter.drawImage(QPoint(0, below + device(bar->maximum())), last,
                      QRect(0, below, last.width(), last.height() - below));
    painter.end();
    bar->setValue(kept);
    return whole;
}

QColor surroundingColour(const QImage& picture, const QRect& area, int width) {
    return surroundingBand(picture, area, width);
}

double inkOf(const QImage& part, const QColor& around, int enough) {
    return inkReachedBy(part, around, enough);
}

std::vector<std::string> windowFaults(QWidget& window, const QColor& desktop,
                                      std::vector<QImage>& pictures) {
    std::vector<std::string> faults;
    std::set<std::string> seen;
    addOnce(faults, seen, layoutFaults(window));
    QScrollArea* area = scrollingArea(window);
    QScrollBar* bar = area ? area->verticalScrollBar() : nullptr;
    std::set<const QWidget*> checkedControls;
    for (int position = 0;; position = std::min(position + bar->pageStep(), bar->maximum())) {
        if (bar) {
            bar->setValue(position);
        }
        pictures.push_back(pictureOf(window, desktop));
        addOnce(faults, seen, contrastFaults(window, pictures.back()));
        addOnce(faults, seen, controlFaults(window, pictures.back(), desktop, checkedControls));
        addOnce(faults, seen, controlPartFaults(window, pictures.back()));
        if (!bar || position >= bar->maximum()) {
            break;
        }
    }
    if (bar) {
        bar->setValue(0);
    }
    return faults;
}

std::vector<std::string> menuFaults(QMenu& menu, const QImage& picture) {
    std::vector<std::string> faults;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible()) {
            continue;
        }
        const std::string where = "menu entry \"" + action->text().toStdString() + "\"";
        checkGlyphs(action->text(), menu.font(), where, faults);
        if (action->isEnabled()) {
            const QColor colour = menu.palette().color(colourGroup(menu), QPalette::Text);
            checkContrast({action->text(), {}, menu.font(), colour}, menu.actionGeometry(action),
                          picture, where, faults);
        }
    }
    return faults;
}

std::vector<std::string> gridTitleFaults(const OSDGridView& view, const QImage& picture) {
    std::vector<std::string> faults;
    const auto& model = view.displayedModel();
    if (!model) {
        return faults;
    }
    const auto& settings = view.appearanceSettings();
    const double glow =
        settings.activeSpaceGlowOpacity.rawValue > 0 ? settings.activeSpaceGlowSpread.rawValue : 0;
    const double inset = std::ceil(settings.activeSpaceBorderWidth.rawValue * 0.5 + glow);
    const auto layout = OSDGridLayout::make(
        *model, {static_cast<double>(view.width()), static_cast<double>(view.height())}, inset);
    if (!layout) {
        return faults;
    }
    const double scale = std::max(view.width() / 276.0, 1.0);
    for (const auto& [index, title] : model->cellTitles()) {
        const auto cell = static_cast<std::size_t>(index);
        if (cell >= layout->frames().size()) {
            continue;
        }
        const auto attributes =
            OSDGridCellTitleStyle::attributes(index == model->activeIndex(), scale);
        const Rect band = OSDGridCellPainter::titleFrame(
            layout->frames()[cell], static_cast<int64_t>(model->badgeIcons(index).size()),
            attributes.pointSize);
        const std::string where = "cell title \"" + title + "\"";
        const QString text = QString::fromStdString(title);
        checkGlyphs(text, attributes.font, where, faults);
        if (band.width() <= 0) {
            continue;
        }
        const double lineHeight = QFontMetricsF(attributes.font).height();
        if (lineHeight > band.height() + 0.5) {
            faults.push_back(where + format(": a %.1f px line in a band %.1f px high", lineHeight,
                                            band.height()));
        }
        // Where the text itself stands: over the user's content (a screenshot, an icon) the
        // title is laid on a plate of its own, which must let it read on any content.
        const QFontMetricsF metrics(attributes.font);
        const QString shown = metrics.elidedText(text, Qt::ElideRight, band.width());
        const double width = std::min(band.width(), metrics.horizontalAdvance(shown));
        const QRect area(static_cast<int>(band.minX()),
                         static_cast<int>(view.height() - band.maxY()),
                         std::max(1, static_cast<int>(width)), static_cast<int>(band.height()));
        checkContrast({text, area, attributes.font, attributes.color}, area, picture, where,
                      faults);
    }
    return faults;
}

double contrastRatio(QColor text, const QColor& background) {
    if (text.alphaF() < 1) {
        const double alpha = text.alphaF();
        const auto mix = [alpha](double front, double back) {
            return front * alpha + back * (1 - alpha);
        };
        text = QColor::fromRgbF(static_cast<float>(mix(text.redF(), background.redF())),
                                static_cast<float>(mix(text.greenF(), background.greenF())),
                                static_cast<float>(mix(text.blueF(), background.blueF())));
    }
    const double a = luminance(text);
    const double b = luminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

double requiredContrast(const QFont& font) {
    const int pixels = QFontInfo(font).pixelSize();
    const bool large = pixels >= 18 || (pixels >= 14 && font.weight() >= QFont::Bold);
    return large ? 3.0 : 4.5;
}

QString missingCharacters(const QString& text, const QFont& font) {
    const auto drawsABox = [&font](const QString& part) {
        QTextLayout layout(part, font);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(1e7);
        }
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns()) {
            const QList<quint32> glyphs = run.glyphIndexes();
            if (std::find(glyphs.begin(), glyphs.end(), 0U) != glyphs.end()) {
                return true;
            }
        }
        return false;
    };
    QString plain = text;
    plain.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\t'), QLatin1Char(' '));
    if (!drawsABox(plain)) {
        return {};
    }
    QString missing;
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, plain);
    for (qsizetype start = 0, end = clusters.toNextBoundary(); end > 0;
         start = end, end = clusters.toNextBoundary()) {
        const QString cluster = plain.mid(start, end - start);
        if (!missing.contains(cluster) && drawsABox(cluster)) {
            missing += cluster;
        }
    }
    return missing;
}

QColor dominantColour(const QImage& picture, const QRect& area) {
    // Colours are counted in bins of 16 levels a channel, so a gently shaded fill counts as one
    // colour; the answer is the mean of the fullest bin.
    struct Bin {
        int count = 0;
        long red = 0, green = 0, blue = 0;
    };
    QHash<int, Bin> bins;
    const QRect inside = area & picture.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = qUnpremultiply(row[x]);
            Bin& bin =
                bins[(qRed(pixel) / 16) << 8 | (qGreen(pixel) / 16) << 4 | qBlue(pixel) / 16];
            ++bin.count;
            bin.red += qRed(pixel);
            bin.green += qGreen(pixel);
            bin.blue += qBlue(pixel);
        }
    }
    const Bin* best = nullptr;
    for (const Bin& bin : bins) {
        if (best == nullptr || bin.count > best->count) {
            best = &bin;
        }
    }
    if (best == nullptr) {
        return {};
    }
    return QColor(static_cast<int>(best->red / best->count),
                  static_cast<int>(best->green / best->count),
                  static_cast<int>(best->blue / best->count));
}

void writeGalleryPicture(const std::vector<QImage>& pictures, const std::string& name) {
    int width = 0;
    int height = 0;
    for (const QImage& picture : pictures) {
        width = std::max(width, picture.width());
        height += picture.height();
    }
    if (width == 0) {
        return;
    }
    QImage sheet(width, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    int top = 0;
    for (QImage picture : pictures) {
        picture.setDevicePixelRatio(1);
        painter.drawImage(0, top, picture);
        top += picture.height();
    }
    painter.end();
    const QDir folder(QStringLiteral(TESSARIN_GALLERY_DIR));
    folder.mkpath(QStringLiteral("."));
    sheet.save(folder.filePath(QString::fromStdString(name) + QStringLiteral(".png")));
}

} // namespace tessarin::visual
