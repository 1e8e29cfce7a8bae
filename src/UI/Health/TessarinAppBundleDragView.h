#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <optional>

class QLabel;

namespace tessarin {

// Begins a drag of the bundle at `bundlePath` from `source` with `image` under the pointer.
using AppBundleDragStarter =
    std::function<void(QWidget& source, const QString& bundlePath, const QPixmap& image)>;

// The tile of the program's bundle that the user drags into System Settings' list. A press
// works while the panel is not active; a move of 4 points starts the drag.
class TessarinAppBundleDragView final : public QWidget {
    Q_OBJECT
public:
    static constexpr double dragThreshold = 4.0;

    TessarinAppBundleDragView(QString appBundlePath, const QString& appName,
                              AppBundleDragStarter starter, QWidget* parent = nullptr);

    const QString& appBundlePath() const { return appBundlePath_; }
    // The pointer went down, moved, or up, in the view's coordinates.
    void mouseDown(QPointF point);
    void mouseDragged(QPointF point);
    void mouseUp() { initialMouseDownPoint_.reset(); }
    // The view as it looks, or the bundle's icon when it cannot be drawn.
    QPixmap dragImage();
    // A Qt drag sets the bundle's file address as the drag's data and copies it.
    static void startQDrag(QWidget& source, const QString& bundlePath, const QPixmap& image);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString appBundlePath_;
    std::optional<QPointF> initialMouseDownPoint_;
    AppBundleDragStarter starter_;
};

} // namespace tessarin
