#include "Platform/Preferences/DefaultsFileValues.h"

#include "Platform/Preferences/UserDefaults.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

std::string textOf(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// A run that may only look at the file reads what is there and leaves every byte of it alone.
TEST(DefaultsFileValues, ReadsWhatTheFileHoldsAndLeavesItAsItIs) {
    struct Case {
        const char* name;
        std::function<void(const fs::path& file)> make;
        PropertyDictionary expected;
        bool readable;
    };
    const Case cases[] = {
        {"no file", [](const fs::path&) {}, {}, true},
        {"written by a store",
         [](const fs::path& file) {
             UserDefaults stored(file);
             stored.set("gridColumns", PropertyValue(int64_t{4}));
         },
         {{"gridColumns", PropertyValue(int64_t{4})}},
         true},
        {"not JSON", [](const fs::path& file) { std::ofstream(file) << "{\"half"; }, {}, false},
        {"a FIFO", [](const fs::path& file) { ::mkfifo(file.c_str(), 0600); }, {}, false},
        {"a folder", [](const fs::path& file) { fs::create_directory(file); }, {}, false},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        const fs::path file = fs::path(folder.path().toStdString()) / "defaults.json";
        c.make(file);
        const bool regular = fs::is_regular_file(file);
        const std::string before = regular ? textOf(file) : "";
        const DefaultsFileValues read = DefaultsFileValues::read(file);
        EXPECT_EQ(read.values, c.expected) << c.name;
        EXPECT_EQ(read.error.empty(), c.readable) << c.name << ": " << read.error;
        EXPECT_FALSE(fs::exists(file.string() + ".corrupt")) << c.name;
        if (regular) {
            EXPECT_EQ(textOf(file), before) << c.name;
        }
    }
}

} // namespace
} // namespace tessarin
