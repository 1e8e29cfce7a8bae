#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// A 128-bit UUID; its text form is upper-case with hyphens, as the platform writes it.
class Uuid {
public:
    Uuid() = default;
    explicit Uuid(const std::array<std::uint8_t, 16>& bytes) : bytes_(bytes) {}

    static Uuid random();
    // Accepts upper- or lower-case text with hyphens (8-4-4-4-12), surrounding white space
    // trimmed.
    static std::optional<Uuid> fromString(std::string_view text);

    std::string uuidString() const;
    const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }
    bool isNil() const;

    friend auto operator<=>(const Uuid&, const Uuid&) = default;

private:
    std::array<std::uint8_t, 16> bytes_{};
};

} // namespace tessarin
