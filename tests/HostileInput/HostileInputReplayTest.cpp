#include "FuzzEntryPoints.h"
#include "Support/Logger.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> readBytes(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// Every stored hostile input goes through its decoder on every run, so a mended fault stays
// mended without a fuzzer at hand.
TEST(HostileInputReplayTest, EveryCorpusFileGoesThroughItsDecoder) {
    struct Decoder {
        const char* folder;
        void (*feed)(const uint8_t*, std::size_t);
    };
    const Decoder decoders[] = {
        {"scenario", fuzz::fuzzOneScenario},
        {"defaults-file", fuzz::fuzzOneDefaultsFile},
        {"stored-settings", fuzz::fuzzOneStoredSettings},
        {"workspaces", fuzz::fuzzOneWorkspaces},
        {"hotkey", fuzz::fuzzOneHotkey},
    };
    ScopedLogCapture logs; // the decoders log what they refuse
    for (const Decoder& decoder : decoders) {
        std::error_code error;
        std::vector<fs::path> files;
        for (const auto& entry :
             fs::directory_iterator(fs::path(TESSARIN_FUZZ_CORPUS) / decoder.folder, error)) {
            files.push_back(entry.path());
        }
        ASSERT_GE(files.size(), 5u) << decoder.folder << ": corpus missing " << error.message();
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            SCOPED_TRACE(file.string());
            const std::vector<uint8_t> bytes = readBytes(file);
            decoder.feed(bytes.data(), bytes.size());
        }
    }
}

} // namespace
} // namespace tessarin
