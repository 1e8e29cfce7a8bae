#pragma once

#include "UI/OSD/OSDGridLayerCache.h"

#include <QImage>

namespace tessarin {

// A cell body drawn ahead of the pass that needs it, with the key that pass looks it up by.
struct OSDGridPreparedCellPicture {
    OSDGridLayerCache::Key key;
    QImage image;
};

} // namespace tessarin
