#include "Platform/ScreenCapture/CaptureContent.h"

namespace tessarin::CaptureContent {

namespace {

// FNV-1a: stable across runs and platforms, unlike std::hash.
uint64_t mix(uint64_t hash, const void* bytes, std::size_t count) {
    const auto* data = static_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < count; ++i) {
        hash = (hash ^ data[i]) * 1099511628211ull;
    }
    return hash;
}

} // namespace

QColor colorFromSeed(uint64_t seed) {
    const uint64_t hash = mix(14695981039346656037ull, &seed, sizeof seed);
    // Channels kept between 40 and 215: no window is white, nor black as a capture without a
    // picture is.
    const auto channel = [hash](int shift) { return 40 + static_cast<int>((hash >> shift) % 176); };
    return QColor(channel(0), channel(16), channel(32));
}

QColor windowColor(WindowID number, const std::string& owner, const std::string& title,
                   uint32_t revision) {
    uint64_t hash = 14695981039346656037ull;
    hash = mix(hash, &number, sizeof number);
    hash = mix(hash, owner.data(), owner.size());
    hash = mix(hash, "\x1f", 1);
    hash = mix(hash, title.data(), title.size());
    hash = mix(hash, &revision, sizeof revision);
    return colorFromSeed(hash);
}

QColor colorFromRGB(uint32_t rgb) {
    return QColor((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
}

} // namespace tessarin::CaptureContent
