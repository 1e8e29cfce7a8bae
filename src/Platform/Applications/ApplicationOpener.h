#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tessarin {

// Opening applications by their path, as the workspace does it. Mission Control's application
// opens the host's Mission Control (after its own opening delay); any other path is only
// recorded. Main-thread only.
class ApplicationOpener {
public:
    static constexpr const char* missionControlApplicationPath =
        "/System/Applications/Mission Control.app";

    explicit ApplicationOpener(std::function<void()> openMissionControl);

    // Records the path; false while opening is made to fail (nothing opens then).
    bool openApplication(const std::string& path);
    const std::vector<std::string>& openedPaths() const { return openedPaths_; }
    void setOpensApplications(bool opens) { opens_ = opens; }

private:
    std::function<void()> openMissionControl_;
    std::vector<std::string> openedPaths_;
    bool opens_ = true;
};

} // namespace tessarin
