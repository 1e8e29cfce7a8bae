#pragma once

#include "Platform/Preferences/PropertyValue.h"
#include "Support/Json.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace tessarin {

// What a defaults file holds now, read and never touched: for a run that may only look at a
// file another process owns. A file that is not there gives no values; one that cannot be read
// gives no values and the reason, and stays where it is.
struct DefaultsFileValues {
    PropertyDictionary values;
    std::string error; // empty when the file was read or is not there

    static DefaultsFileValues read(const std::filesystem::path& file,
                                   std::size_t maximumBytes = kMaxJsonFileBytes);
};

} // namespace tessarin
