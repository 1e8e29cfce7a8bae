#include "Platform/Preferences/DefaultsTemporaryName.h"

#include <atomic>
#include <charconv>
#include <random>
#include <string>
#include <string_view>
#include <unistd.h>

namespace tessarin {

namespace {

constexpr std::string_view kSuffix = ".tmp";

// Reads the digits at the front of `text` up to `end`, which must follow them; drops both.
std::optional<unsigned long long> takeNumber(std::string_view& text, char end) {
    unsigned long long value = 0;
    const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const auto used = static_cast<std::size_t>(rest - text.data());
    if (error != std::errc{} || used == 0 || used >= text.size() || text[used] != end) {
        return std::nullopt;
    }
    text.remove_prefix(used + 1);
    return value;
}

} // namespace

std::filesystem::path defaultsTemporaryName(const std::filesystem::path& file) {
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937 random{std::random_device{}()};
    return file.parent_path() / (file.filename().string() + "." + std::to_string(::getpid()) + "-" +
                                 std::to_string(counter++) + "-" +
                                 std::to_string(random() % 1000000) + std::string(kSuffix));
}

std::optional<pid_t> defaultsTemporaryWriter(const std::filesystem::path& file,
                                             const std::filesystem::path& candidate) {
    if (candidate.parent_path() != file.parent_path()) {
        return std::nullopt;
    }
    const std::string name = candidate.filename().string();
    const std::string prefix = file.filename().string() + ".";
    if (name.size() <= prefix.size() + kSuffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    std::string_view rest(name);
    rest.remove_prefix(prefix.size());
    rest.remove_suffix(kSuffix.size());
    std::string numbers(rest);
    numbers += '.'; // the last number ends where the suffix was
    std::string_view parts(numbers);
    const auto pid = takeNumber(parts, '-');
    if (!pid || !takeNumber(parts, '-') || !takeNumber(parts, '.') || !parts.empty() || *pid == 0 ||
        *pid > 0x7fffffffULL) {
        return std::nullopt;
    }
    return static_cast<pid_t>(*pid);
}

} // namespace tessarin
