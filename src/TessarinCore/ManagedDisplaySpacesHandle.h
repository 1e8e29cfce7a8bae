#pragma once

#include "Platform/WindowServerTypes.h"
#include "TessarinCore/TessarinCore.h"

#include <vector>

// What tessarin_copy_managed_display_spaces hands out: a snapshot of the window server's lists
// that C++ callers may read directly.
struct TessarinManagedDisplaySpaces {
    std::vector<tessarin::ManagedDisplaySpaces> lists;
};

namespace tessarin {

inline const std::vector<ManagedDisplaySpaces>&
managedDisplaySpacesContents(const TessarinManagedDisplaySpaces& handle) {
    return handle.lists;
}

} // namespace tessarin
