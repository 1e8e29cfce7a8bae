#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// Where the program's resource files are found, both when it runs from its build folder, with
// "Tessarin_Tessarin.bundle" placed beside it, and from a development checkout, where they lie
// under "Sources/Tessarin/Resources".
namespace TessarinResourceBundle {

inline constexpr const char* bundleName = "Tessarin_Tessarin.bundle";
inline constexpr const char* developmentFolder = "Sources/Tessarin/Resources";

// The folders the search starts from, nearest first.
struct SearchRoots {
    // The main bundle's resource, own and executable folders, then the same three of the bundle
    // that holds the code; absent ones are left out.
    std::vector<std::filesystem::path> containers;
    std::filesystem::path currentDirectory;

    // Of the running program: its executable's folder serves as all six, as a plain program's
    // main bundle is its folder.
    static SearchRoots current();
};

// The resource bundles tried, in order: each container and the current directory, each
// followed by up to five of its ancestors, with the bundle's name appended; each folder once.
std::vector<std::filesystem::path> candidateBundleURLs(const SearchRoots& roots);
std::vector<std::filesystem::path> candidateBundleURLs();

// The file "name.extension" of the first bundle that exists, or failing that of the development
// folder or any candidate bundle; nothing when it is nowhere.
std::optional<std::filesystem::path> url(const std::string& name, const std::string& extension,
                                         const SearchRoots& roots);
std::optional<std::filesystem::path> url(const std::string& name, const std::string& extension);

} // namespace TessarinResourceBundle

} // namespace tessarin
