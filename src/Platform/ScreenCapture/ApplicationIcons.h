#pragma once

#include <QImage>
#include <cstdint>
#include <map>
#include <optional>

namespace tessarin {

class SystemServices;

// How one application's icon is drawn: a colour and a square size in pixels.
struct ApplicationIconSpec {
    uint32_t rgb = 0;
    int size = 256;
    friend bool operator==(const ApplicationIconSpec&, const ApplicationIconSpec&) = default;
};

// The icons of running applications. An application without a look gets one drawn from its
// process identifier; a look set to none leaves it without an icon. Main thread only.
class ApplicationIcons {
public:
    explicit ApplicationIcons(const SystemServices& system);

    // None for a process that is not running or has no icon.
    std::optional<QImage> icon(int32_t processIdentifier) const;
    void setIcon(int32_t processIdentifier, std::optional<ApplicationIconSpec> look);

    static ApplicationIconSpec defaultSpec(int32_t processIdentifier);

private:
    const SystemServices& system_;
    std::map<int32_t, std::optional<ApplicationIconSpec>> looks_;
    // Drawn once per application, as the system hands out the same icon object each time.
    mutable std::map<int32_t, QImage> drawn_;
};

} // namespace tessarin
