#include "Core/AppDelegate/WindowPreviewDesktopRefresher.h"

#include "Core/Seams/WindowPreviewCaching.h"

namespace tessarin {

namespace {

class CachesDesktopRefresher final : public MissionControlDesktopRefreshing {
public:
    explicit CachesDesktopRefresher(std::shared_ptr<WindowPreviewCaching> caches)
        : caches_(std::move(caches)) {}
    void scheduleWindowSpaceMetadataAndPreviewRefresh(
        const std::optional<std::string>& displayIdentifier) override {
        caches_->scheduleWindowSpaceMetadataAndPreviewRefresh(displayIdentifier);
    }

private:
    std::shared_ptr<WindowPreviewCaching> caches_;
};

} // namespace

std::shared_ptr<MissionControlDesktopRefreshing>
windowPreviewDesktopRefresher(std::shared_ptr<WindowPreviewCaching> caches) {
    return std::make_shared<CachesDesktopRefresher>(std::move(caches));
}

} // namespace tessarin
