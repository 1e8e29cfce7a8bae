#pragma once

#include <QLabel>

namespace tessarin {

// A one-line label of the OSD's chrome that cuts its text at the tail with an ellipsis when the
// text is wider than the label; its text stays whole.
class OSDChromeLabel final : public QLabel {
public:
    OSDChromeLabel(const QString& text, QWidget* parent);

    // The text as drawn in the label's present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessarin
