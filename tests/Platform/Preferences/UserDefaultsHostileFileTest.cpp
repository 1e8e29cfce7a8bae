#include "Platform/Preferences/UserDefaults.h"
#include "Support/Logger.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

std::string repeated(const std::string& text, std::size_t count) {
    std::string result;
    for (std::size_t i = 0; i < count; ++i) {
        result += text;
    }
    return result;
}

// A defaults file that cannot be read is moved aside at every start; one that crashed the load
// instead would crash every start.
TEST(UserDefaultsHostileFileTest, HostileFileIsMovedAsideAndTheStoreStartsEmpty) {
    struct Case {
        const char* name;
        std::string contents;
    };
    const Case cases[] = {
        {"tagged arrays 5000 deep", "{\"k\": " + repeated("{\"array\": [", 5000) +
                                        "{\"bool\": true}" + repeated("]}", 5000) + "}"},
        {"plain arrays 5000 deep", "{\"k\": " + repeated("[", 5000) + repeated("]", 5000) + "}"},
        {"number above the double range", R"({"k": {"double": 1e400}})"},
    };
    const fs::path folder =
        fs::temp_directory_path() / ("tessarin-hostile-defaults-" + std::to_string(::getpid()));
    const fs::path file = folder / "defaults.json";
    ScopedLogCapture logs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder);
        fs::create_directories(folder);
        std::ofstream(file, std::ios::binary) << c.contents;

        UserDefaults defaults(file);
        EXPECT_TRUE(defaults.keys().empty());
        EXPECT_TRUE(defaults.isPersisting());
        EXPECT_TRUE(fs::exists(file.string() + ".corrupt"));
    }
    fs::remove_all(folder);
}

} // namespace
} // namespace tessarin
