#include "Platform/Preferences/DefaultsFileValues.h"

#include "Platform/Preferences/DefaultsFileFormat.h"
#include "Support/BoundedFileRead.h"

#include <sys/stat.h>

namespace tessarin {

DefaultsFileValues DefaultsFileValues::read(const std::filesystem::path& file,
                                            std::size_t maximumBytes) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return {};
    }
    const BoundedFileRead bytes = readBoundedFile(file, maximumBytes);
    if (!bytes) {
        return {{}, bytes.error};
    }
    DefaultsFileReadResult result = readDefaultsFileText(*bytes.bytes);
    if (!result.values) {
        return {{}, result.error};
    }
    return {std::move(*result.values), {}};
}

} // namespace tessarin
