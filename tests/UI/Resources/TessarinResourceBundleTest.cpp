#include "UI/Resources/TessarinResourceBundle.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using TessarinResourceBundle::SearchRoots;

// A scratch folder tree, removed after the test.
class TessarinResourceBundleTest : public ::testing::Test {
protected:
    fs::path file(const fs::path& relative) {
        const fs::path path = root / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "x";
        return path;
    }

    QTemporaryDir scratch;
    fs::path root = scratch.path().toStdString();
};

TEST_F(TessarinResourceBundleTest, CandidatesWalkUpFiveFoldersAndAppearOnce) {
    const SearchRoots roots{{"/a/b/c/d/e/f/g", "/a/b/c/d/e/f/g/"}, "/a/b/x"};
    const std::string name = "Tessarin_Tessarin.bundle";
    std::vector<fs::path> expected;
    for (const char* folder : {"/a/b/c/d/e/f/g", "/a/b/c/d/e/f", "/a/b/c/d/e", "/a/b/c/d", "/a/b/c",
                               "/a/b", "/a/b/x", "/a", "/"}) {
        expected.push_back(fs::path(folder) / name);
    }
    EXPECT_EQ(TessarinResourceBundle::candidateBundleURLs(roots), expected);
}

TEST_F(TessarinResourceBundleTest, WhereAResourceIsFound) {
    struct Case {
        const char* name;
        std::vector<fs::path> files;
        std::optional<fs::path> found;
    };
    const fs::path bundle = "app/Tessarin_Tessarin.bundle/Icon.png";
    const fs::path development = "checkout/Sources/Tessarin/Resources/Icon.png";
    const fs::path outerBundle = "Tessarin_Tessarin.bundle/Icon.png";
    for (const Case& c : {
             Case{"the bundle beside the program comes first", {bundle, development}, bundle},
             Case{"a checkout without a bundle", {development}, development},
             // The first bundle lacks the file: the checkout, then any other bundle.
             Case{"a later bundle",
                  {"app/Tessarin_Tessarin.bundle/Other.png", outerBundle},
                  outerBundle},
             Case{"nowhere", {"app/Icon.png"}, std::nullopt},
         }) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root);
        for (const fs::path& path : c.files) {
            file(path);
        }
        fs::create_directories(root / "app");
        fs::create_directories(root / "checkout");
        const auto url =
            TessarinResourceBundle::url("Icon", "png", {{root / "app"}, root / "checkout"});
        EXPECT_EQ(url, c.found ? std::optional(root / *c.found) : std::nullopt);
    }
}

} // namespace
} // namespace tessarin
