#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <string>
#include <vector>

class QMenu;
class QWidget;

namespace tessarin {
class OSDGridView;
}

// What a person sees of a window, checked: text that is cut or runs out of its place, controls
// squeezed below their smallest size or lying on each other, text too faint against what is
// painted behind it, named symbols without a picture, the program's icon missing or a plain
// shape, and characters drawn as missing-glyph boxes. Every check reads the window as shown: its
// widgets' geometry and a picture of it.
namespace tessarin::visual {

// The window as shown on a desktop of `desktop` (which shows through where the window is not
// opaque).
QImage pictureOf(QWidget& window, const QColor& desktop);

// The window as shown, with a scrolled view drawn as long as its whole document: one picture
// of every scroll position, without the seams of pictures laid one under the other.
QImage wholePictureOf(QWidget& window, const QColor& desktop);

// The faults of every visible widget of `window`; scrolling views are checked at each scroll
// position. `pictures` gets the picture of every position, the first at the top.
std::vector<std::string> windowFaults(QWidget& window, const QColor& desktop,
                                      std::vector<QImage>& pictures);

// The faults of a menu's entries: characters the menu's font cannot draw, faint text.
std::vector<std::string> menuFaults(QMenu& menu, const QImage& picture);

// A grid view draws its cell titles itself: each title's font must fit the band the layout
// gives it, and its colour must stand out from what the view paints behind it (its fills and
// covers under the scrim; a screenshot is the user's content), read from `picture`, the view's
// part of the window's picture.
std::vector<std::string> gridTitleFaults(const OSDGridView& view, const QImage& picture);

// The contrast of two colours by their relative luminance, from 1 to 21; a translucent `text`
// is first laid over `background`.
double contrastRatio(QColor text, const QColor& background);
// 4.5, or 3 for large text: 18 points, or 14 points bold (points being view points, pixels).
double requiredContrast(const QFont& font);
// The characters of `text` that `font`, with the fonts Qt falls back to, draws as a box.
QString missingCharacters(const QString& text, const QFont& font);
// The colour covering most of the band `width` pixels wide around `area` of `picture`.
QColor surroundingColour(const QImage& picture, const QRect& area, int width);
// How strongly `part` stands out from `around`: the contrast reached by at least `enough` of
// its pixels.
double inkOf(const QImage& part, const QColor& around, int enough);
// The colour covering most of `area` of `picture`.
QColor dominantColour(const QImage& picture, const QRect& area);

// Writes `pictures` one under the other as gallery/<name>.png in the build folder.
void writeGalleryPicture(const std::vector<QImage>& pictures, const std::string& name);

} // namespace tessarin::visual
