#include "Platform/Program/ProgramBuildInfo.h"

#ifndef TESSARIN_BUILD_VERSION
#define TESSARIN_BUILD_VERSION "unknown"
#endif
#ifndef TESSARIN_BUILD_NUMBER
#define TESSARIN_BUILD_NUMBER "unknown"
#endif
#ifndef TESSARIN_BUILD_COMMIT
#define TESSARIN_BUILD_COMMIT "unknown"
#endif
#ifndef TESSARIN_BUILD_RESOURCE_BUNDLE
#define TESSARIN_BUILD_RESOURCE_BUNDLE ""
#endif

namespace tessarin::ProgramBuildInfo {

const char* version() {
    return TESSARIN_BUILD_VERSION;
}

const char* buildNumber() {
    return TESSARIN_BUILD_NUMBER;
}

const char* commit() {
    return TESSARIN_BUILD_COMMIT;
}

const char* resourceBundlePath() {
    return TESSARIN_BUILD_RESOURCE_BUNDLE;
}

} // namespace tessarin::ProgramBuildInfo
