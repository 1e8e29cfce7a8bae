#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <QWidget>

namespace tessarin {

// The title overlay's content: a rounded black plate with one line of white text, cut at the
// tail when it does not fit.
class PersistentTitleOverlayLabel final : public QWidget {
public:
    explicit PersistentTitleOverlayLabel(QWidget* parent);

    const QString& text() const { return text_; }
    // The text's frame is in the label's coordinates with y down.
    void setContent(QString text, QFont font, QRectF textFrame, double cornerRadius);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QFont font_;
    QRectF textFrame_;
    double cornerRadius_ = 0;
};

} // namespace tessarin
