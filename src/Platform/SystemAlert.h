#pragma once

#include <string>
#include <vector>

namespace tessarin {

// How an alert presents itself: a warning, or plain information.
enum class AlertStyle { warning, informational };

// What a modal alert shows.
struct SystemAlert {
    std::string messageText;     // the bold title
    std::string informativeText; // the sentence below it
    std::vector<std::string> buttons;
    AlertStyle style = AlertStyle::warning;
    friend bool operator==(const SystemAlert&, const SystemAlert&) = default;
};

// The answer of a modal alert: the first button returns 1000, the second 1001, and so on.
namespace AlertResponse {
inline constexpr int firstButton = 1000;
inline constexpr int secondButton = 1001;
inline constexpr int thirdButton = 1002;
} // namespace AlertResponse

} // namespace tessarin
