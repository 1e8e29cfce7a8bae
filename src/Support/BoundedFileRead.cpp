#include "Support/BoundedFileRead.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace tessarin {

BoundedFileRead readBoundedFile(const std::filesystem::path& path, std::size_t maxBytes) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return {std::nullopt, "cannot be opened: " + std::string(std::strerror(errno))};
    }
    std::string bytes;
    std::array<char, 64 * 1024> chunk{};
    while (stream) {
        stream.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        bytes.append(chunk.data(), static_cast<std::size_t>(stream.gcount()));
        if (bytes.size() > maxBytes) {
            return {std::nullopt, "is larger than " + describeByteCount(maxBytes)};
        }
    }
    if (stream.bad()) {
        return {std::nullopt, "cannot be read"};
    }
    return {std::move(bytes), {}};
}

std::string describeByteCount(std::size_t bytes) {
    constexpr std::size_t kMebibyte = 1024 * 1024;
    if (bytes >= kMebibyte && bytes % kMebibyte == 0) {
        return std::to_string(bytes / kMebibyte) + " MiB";
    }
    return std::to_string(bytes) + " bytes";
}

} // namespace tessarin
