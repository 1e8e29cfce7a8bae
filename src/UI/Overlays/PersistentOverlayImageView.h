#pragma once

#include <QImage>
#include <QWidget>

namespace tessarin {

// Shows one picture centred, shrunk to fit when it is larger than the view.
class PersistentOverlayImageView final : public QWidget {
public:
    explicit PersistentOverlayImageView(QWidget* parent);

    const QImage& image() const { return image_; }
    void setImage(QImage image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

} // namespace tessarin
