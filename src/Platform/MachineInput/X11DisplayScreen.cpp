#include "Platform/MachineInput/X11DisplayScreen.h"

#include <charconv>

namespace tessarin {

namespace {

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

std::optional<int> x11DisplayScreen(std::string_view displayName) {
    // The host may hold colons of its own (an IPv6 address, "::" of DECnet): the display and
    // screen follow the last one.
    const auto colon = displayName.rfind(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view numbers = displayName.substr(colon + 1);
    const auto dot = numbers.find('.');
    if (dot == std::string_view::npos) {
        return 0;
    }
    const std::string_view screenPart = numbers.substr(dot + 1);
    if (!allDigits(screenPart)) {
        return std::nullopt;
    }
    int screen = 0;
    const auto [end, error] =
        std::from_chars(screenPart.data(), screenPart.data() + screenPart.size(), screen);
    if (error != std::errc{} || end != screenPart.data() + screenPart.size()) {
        return std::nullopt;
    }
    return screen;
}

} // namespace tessarin
