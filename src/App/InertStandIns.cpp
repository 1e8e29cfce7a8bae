#include "App/InertStandIns.h"

#include "Hotkeys/GlobalEventTapRecorder.h"
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

void OneShotRecorderCancelling::cancelActiveRecording() {
    GlobalEventTapRecorder::shared().stopRecording();
}

} // namespace tessarin
