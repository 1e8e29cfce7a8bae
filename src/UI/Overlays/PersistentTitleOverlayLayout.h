#pragma once

#include "Model/Settings/PersistentTitleOverlayFont.h"
#include "Support/Geometry.h"

#include <QColor>
#include <QFont>
#include <optional>
#include <string>

namespace tessarin {

// The fixed colours of the title label.
struct PersistentTitleOverlayStyle {
    static QColor backgroundColor() { return QColor(0, 0, 0); }
    static QColor titleColor() { return QColor(255, 255, 255); }
};

// The measured label of a title: the window around it and where the text sits (y up inside the
// window). Text wider than 20 × the point size is cut at the tail by the label.
struct PersistentTitleOverlayLayout {
    std::string title;
    PersistentTitleOverlayFont font;
    Size windowSize;
    Rect textFrame;
    bool didConstrainWidth = false;

    // None for no title, or one that is blank once trimmed.
    static std::optional<PersistentTitleOverlayLayout> make(const std::optional<std::string>& title,
                                                            const PersistentTitleOverlayFont& font);

    // "system" is the system font at semibold; another family falls back to it when missing.
    static QFont resolvedFont(const PersistentTitleOverlayFont& font);
    // ceil(point size × 0.375).
    static double cornerRadius(const PersistentTitleOverlayFont& font);

    friend bool operator==(const PersistentTitleOverlayLayout&,
                           const PersistentTitleOverlayLayout&) = default;
};

} // namespace tessarin
