#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace tessarin {

struct DefaultsFileReplacementHooks {
    // Replaces `to` by `from`; returns false on failure.
    std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)> rename;
    // How many bytes of `size` the write of the temporary file gets out before it fails;
    // default: all of them.
    std::function<std::size_t(std::size_t size)> writableBytes;
};

// Replaces `file` by `text` at once: the text goes to a temporary file of this write's own in
// the same folder (made with O_EXCL under a name no other writer uses, so two processes never
// write into each other's), is flushed, takes the replaced file's permissions and is renamed
// over it. A write that fails at any step leaves the previous file whole and removes its
// temporary file. Answers why it failed, or nothing; `written` gets the new file's status as it
// was written, before any other process could replace it in turn.
std::optional<std::string> replaceFileAtomically(const std::filesystem::path& file,
                                                 const std::string& text,
                                                 const DefaultsFileReplacementHooks& hooks,
                                                 struct stat* written = nullptr);

} // namespace tessarin
