// A process of its own writing one key of a shared defaults file again and again through the
// product's store, for the tests of several processes sharing one file.
//   defaults_writer_process <file> <key> <writes, 0 = until killed>
// Prints "wrote <n>" after each write; exits 3 when any write was logged as failed.

#include "Platform/Preferences/UserDefaults.h"
#include "Support/Logger.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <file> <key> <writes>\n", argv[0]);
        return 2;
    }
    static std::atomic<int> failures{0};
    tessarin::Logger::setSink([](const tessarin::LogRecord& record) {
        std::fprintf(stderr, "%s\n", record.message.c_str());
        if (record.message.find("defaults.write.failed") != std::string::npos) {
            ++failures;
        }
    });
    tessarin::UserDefaults defaults{std::filesystem::path(argv[1])};
    const std::string key = argv[2];
    const long writes = std::strtol(argv[3], nullptr, 10);
    for (long n = 1; writes == 0 || n <= writes; ++n) {
        defaults.set(key, int64_t{n});
        std::printf("wrote %ld\n", n);
        std::fflush(stdout);
    }
    return failures > 0 ? 3 : 0;
}
