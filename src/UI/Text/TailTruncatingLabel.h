#pragma once

#include <QLabel>

namespace tessarin {

// A one-line label that asks for no width of its own and, when narrower than its text, ends
// the text with an ellipsis instead of pushing its window wider (the guide's instruction, the
// OSD's header and footer). `text()` stays the whole text.
class TailTruncatingLabel final : public QLabel {
    Q_OBJECT

public:
    explicit TailTruncatingLabel(const QString& text, QWidget* parent = nullptr);

    // The text as drawn at the label's width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessarin
