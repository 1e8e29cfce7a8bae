#include "FuzzEntryPoints.h"
#include "Support/Logger.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Refusals are logged; millions of them would only slow the run.
    tessarin::Logger::setSink([](const tessarin::LogRecord&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tessarin::fuzz::fuzzOneDefaultsFile(data, size);
    return 0;
}
