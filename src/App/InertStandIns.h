#pragma once

// The parts of the program that are not built yet, as inert stand-ins: each does nothing, says
// once in the log that it is not built, and answers "nothing to show".

#include "Core/Seams/EmptyWindowPreviewCaching.h"

#include <string>

namespace tessarin {

// Writes "<part> is not built" once per stand-in.
class NotBuiltNotice {
public:
    explicit NotBuiltNotice(std::string part) : part_(std::move(part)) {}
    void tell();

private:
    std::string part_;
    bool told_ = false;
};

// Says once that the caches are not built, the first time anything asks them for work.
class InertWindowPreviews final : public EmptyWindowPreviewCaching {
public:
    void refreshWindowMetadata(const DisplaySpaceOrderSnapshot&) override { notice_.tell(); }
    void refreshWindowSpaceMetadataOnly() override { notice_.tell(); }
    std::optional<std::vector<WindowPreviewRefreshRequest>>
    primeWindowPreviewsIfNeeded(OSDGridScreenshotTiming, TimeInterval,
                                const std::function<double()>&) override {
        notice_.tell();
        return std::nullopt;
    }

private:
    NotBuiltNotice notice_{"window previews, screenshots and app icons"};
};

} // namespace tessarin
