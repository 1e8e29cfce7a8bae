#include "App/InertStandIns.h"

#include "Support/Logger.h"

namespace tessarin {

void NotBuiltNotice::tell() {
    if (told_) {
        return;
    }
    told_ = true;
    static const Logger logger("Shell");
    logger.notice("stand-in part=\"" + part_ + "\" is not built");
}

} // namespace tessarin
