#include "UI/OSD/OSDGridLayerCache.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr int kViewWidth = 100;
constexpr int kViewHeight = 60;
const Rect kCell(10, 10, 40, 30);

// One drawing pass onto a screen of the given scale: the cache's pictures are copied in device
// pixels, so the target is as many device pixels as the scale makes of the view.
class Pass {
public:
    explicit Pass(double scale)
        : image_(static_cast<int>(kViewWidth * scale), static_cast<int>(kViewHeight * scale),
                 QImage::Format_ARGB32_Premultiplied) {
        image_.setDevicePixelRatio(scale);
        image_.fill(Qt::transparent);
        painter_.begin(&image_);
    }
    OSDGridCanvas canvas() { return OSDGridCanvas(painter_, kViewHeight); }
    // The colour drawn at the middle of the cell.
    QColor middle() {
        painter_.end();
        const QPointF centre = OSDGridCanvas::qtRect(kCell, kViewHeight).center();
        return image_.pixelColor((centre * image_.devicePixelRatio()).toPoint());
    }

private:
    QImage image_;
    QPainter painter_;
};

// Fills the cell with `colour`, counting how often it had to.
struct CountingPainting {
    QColor colour = Qt::red;
    int calls = 0;
    OSDGridLayerCache::Painting painting() {
        return [this](const OSDGridCanvas& canvas) {
            ++calls;
            canvas.painter().fillRect(canvas.rect(kCell), colour);
        };
    }
};

// What a body drawn ahead for the cell carries: its content key and the placement the cell will
// have on a screen of `scale`, filled with `colour`.
std::pair<OSDGridLayerCache::Key, QImage> drawnAhead(OSDGridLayerCache::Key content, double scale,
                                                     QColor colour) {
    const auto placement = OSDGridLayerCache::place(QTransform::fromScale(scale, scale),
                                                    OSDGridCanvas::qtRect(kCell, kViewHeight));
    EXPECT_TRUE(placement);
    content.insert(content.end(), placement->geometry.begin(), placement->geometry.end());
    QImage image(placement->size, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return {content, image};
}

class OSDGridLayerCacheTest : public ::testing::TestWithParam<double> {
protected:
    OSDGridLayerCache cache;
};

TEST_P(OSDGridLayerCacheTest, APictureDrawnOnceIsCopiedByLaterPasses) {
    CountingPainting red;
    for (int pass = 0; pass < 3; ++pass) {
        Pass drawing(GetParam());
        cache.draw(drawing.canvas(), {1}, kCell, red.painting());
        EXPECT_EQ(drawing.middle(), QColor(Qt::red)) << pass;
        cache.endPass();
    }
    EXPECT_EQ(red.calls, 1);
    EXPECT_EQ(cache.size(), 1u);
}

// A new screenshot each pass: the cache holds what the last pass used, not every picture since.
TEST_P(OSDGridLayerCacheTest, PicturesAPassDidNotUseAreDroppedWhenTheNextEnds) {
    CountingPainting painting;
    for (int64_t content = 1; content <= 5; ++content) {
        Pass drawing(GetParam());
        cache.draw(drawing.canvas(), {content}, kCell, painting.painting());
        cache.endPass();
        EXPECT_LE(cache.size(), 2u) << content;
    }
    {
        Pass drawing(GetParam());
        cache.draw(drawing.canvas(), {5}, kCell, painting.painting());
        cache.endPass();
    }
    EXPECT_EQ(cache.size(), 1u);
    cache.endPass(); // a pass that drew nothing
    EXPECT_EQ(cache.size(), 0u);
}

TEST_P(OSDGridLayerCacheTest, ABodyDrawnAheadServesTheNextDrawingOfItsCell) {
    auto [key, image] = drawnAhead({7}, GetParam(), Qt::blue);
    cache.offer(0, key, image);
    CountingPainting red;
    Pass drawing(GetParam());
    cache.draw(drawing.canvas(), {7}, kCell, red.painting());
    EXPECT_EQ(drawing.middle(), QColor(Qt::blue));
    EXPECT_EQ(red.calls, 0);
}

// Screenshots arrive faster than the grid draws: the body of the newest serves the drawing,
// whether its content is new or the same drawn again.
TEST_P(OSDGridLayerCacheTest, ANewerBodyOfferedForACellReplacesTheOlderOne) {
    const auto older = drawnAhead({7}, GetParam(), Qt::yellow);
    const auto newer = drawnAhead({8}, GetParam(), Qt::blue);
    const auto sameAgain = drawnAhead({8}, GetParam(), Qt::green);
    const auto draw = [this](int64_t content) {
        CountingPainting red;
        Pass drawing(GetParam());
        cache.draw(drawing.canvas(), {content}, kCell, red.painting());
        cache.cellDrawn(0);
        cache.endPass();
        return drawing.middle();
    };
    cache.offer(0, older.first, older.second);
    cache.offer(0, newer.first, newer.second);
    EXPECT_EQ(draw(8), QColor(Qt::blue));
    cache.offer(0, newer.first, newer.second);
    cache.offer(0, sameAgain.first, sameAgain.second);
    cache.endPass(); // the picture of 8 kept from the last pass goes
    cache.endPass();
    EXPECT_EQ(draw(8), QColor(Qt::green));
}

// A cell drawn without the body offered for it has no more use for that body.
TEST_P(OSDGridLayerCacheTest, ABodyOfferedBeforeItsCellWasDrawnIsDropped) {
    const auto ahead = drawnAhead({7}, GetParam(), Qt::blue);
    cache.offer(0, ahead.first, ahead.second);
    cache.cellDrawn(0);
    CountingPainting red;
    Pass drawing(GetParam());
    cache.draw(drawing.canvas(), {7}, kCell, red.painting());
    EXPECT_EQ(drawing.middle(), QColor(Qt::red));
}

// A cell in motion sits between device pixels: its picture spans the pixels the cell touches,
// its last column included, so the copy shows what drawing the cell directly shows.
TEST_P(OSDGridLayerCacheTest, ACellBetweenDevicePixelsIsCopiedWhole) {
    const double scale = GetParam();
    const Rect moving(10.6, 9.9, 40.5, 30.5);
    const auto picture = [&](bool cached) {
        QImage image(static_cast<int>(kViewWidth * scale), static_cast<int>(kViewHeight * scale),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const OSDGridCanvas canvas(painter, kViewHeight);
        const auto fill = [&moving](const OSDGridCanvas& on) {
            on.painter().fillRect(on.rect(moving), Qt::red);
        };
        if (cached) {
            cache.draw(canvas, {1}, moving, fill);
        } else {
            fill(canvas);
        }
        painter.end();
        return image;
    };
    const QImage direct = picture(false);
    const QImage copied = picture(true);
    ASSERT_EQ(cache.size(), 1u);
    for (int y = 0; y < direct.height(); ++y) {
        for (int x = 0; x < direct.width(); ++x) {
            ASSERT_EQ(copied.pixel(x, y), direct.pixel(x, y)) << "at " << x << ", " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, OSDGridLayerCacheTest, ::testing::Values(1.0, 2.0),
                         [](const auto& info) { return info.param == 1.0 ? "Scale1" : "Scale2"; });

} // namespace
} // namespace tessarin
