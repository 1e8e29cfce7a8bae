// A process of its own writing one key of a shared defaults file again and again through the
// product's store, for the tests of several processes sharing one file.
//   defaults_writer_process <file> <key> <writes, 0 = until killed> [options]
//     --stored       print a write only once it is in the file
//     --big <bytes>  first store "<key>.big", a text of that many bytes
//     --keys         write "<key>-<n>" = n, a key of its own each time, instead of one counter
//     --seen         with --stored: add to each line every counter the file held at that write,
//                    as " <key>=<n>"
//   defaults_writer_process --hold-lock <file>
//     takes the file's lock, prints "held" and keeps it until its input ends (a hung writer)
// Prints "wrote <n>" after each write; exits 3 when any write was logged as failed, abandoned
// or made without the lock.

#include "Platform/Preferences/DefaultsFileLock.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Logger.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

namespace {

struct Options {
    bool stored = false;
    bool ownKeys = false;
    bool seen = false;
    std::size_t bigBytes = 0;
};

std::optional<Options> readOptions(int argc, char** argv) {
    Options options;
    for (int i = 4; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--stored") {
            options.stored = true;
        } else if (option == "--seen") {
            options.seen = true;
        } else if (option == "--keys") {
            options.ownKeys = true;
        } else if (option == "--big" && i + 1 < argc) {
            options.bigBytes = std::strtoull(argv[++i], nullptr, 10);
        } else {
            return std::nullopt;
        }
    }
    return options;
}

int holdLock(const char* file) {
    tessarin::DefaultsFileLock lock(tessarin::DefaultsFileLock::lockFileFor(file));
    if (!lock.acquire(std::chrono::milliseconds(60000))) {
        std::fprintf(stderr, "%s\n", lock.problem().c_str());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}

bool isFailure(const std::string& message) {
    for (const char* word :
         {"defaults.write.failed", "defaults.write.abandoned", "without the lock"}) {
        if (message.find(word) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--hold-lock") == 0) {
        return holdLock(argv[2]);
    }
    const auto options = argc >= 4 ? readOptions(argc, argv) : std::nullopt;
    if (!options) {
        std::fprintf(
            stderr,
            "usage: %s <file> <key> <writes> [--stored] [--seen] [--big <bytes>] [--keys]\n",
            argv[0]);
        return 2;
    }
    static std::atomic<int> failures{0};
    tessarin::Logger::setSink([](const tessarin::LogRecord& record) {
        std::fprintf(stderr, "%s\n", record.message.c_str());
        if (isFailure(record.message)) {
            ++failures;
        }
    });
    constexpr auto kPatience = std::chrono::milliseconds(60000);
    {
        tessarin::UserDefaultsFileHooks hooks;
        hooks.finalWait = kPatience;
        tessarin::UserDefaults defaults{std::filesystem::path(argv[1]), hooks};
        const std::string key = argv[2];
        const long writes = std::strtol(argv[3], nullptr, 10);
        if (options->bigBytes > 0) {
            defaults.set(key + ".big", std::string(options->bigBytes, 'x'));
        }
        for (long n = 1; writes == 0 || n <= writes; ++n) {
            defaults.set(options->ownKeys ? key + "-" + std::to_string(n) : key, int64_t{n});
            if (options->stored && !defaults.flush(kPatience)) {
                ++failures;
            }
            std::string line = "wrote " + std::to_string(n);
            if (options->seen) {
                for (const auto& [name, value] : defaults.dictionaryRepresentation()) {
                    if (const auto counter = value.integerValue()) {
                        line += " " + name + "=" + std::to_string(*counter);
                    }
                }
            }
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
        }
    }
    return failures > 0 ? 3 : 0;
}
