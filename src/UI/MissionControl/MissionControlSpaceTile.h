#pragma once

#include <QAbstractButton>
#include <QImage>

namespace tessarin {

// One Space in Mission Control's strip: its picture with rounded corners, ringed in the accent
// colour when it is the display's current Space, and lit under the pointer.
class MissionControlSpaceTile final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr double cornerRadius = 6;
    static constexpr int ringWidth = 3;

    explicit MissionControlSpaceTile(QWidget* parent);

    void setPicture(QImage picture);
    const QImage& picture() const { return picture_; }
    void setCurrent(bool current);
    bool isCurrent() const { return current_; }
    void setRingColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    bool current_ = false;
    QColor ringColor_{0, 122, 255};
};

} // namespace tessarin
