// The launch OSD: the Space picker or the sample grid shown shortly after start-up, and the
// PNG snapshot of it that a demonstration or a test asks for.

#include "Core/AppDelegate/AppDelegate.h"
#include "Support/MainQueue.h"
#include "UI/OSD/OSDVisualPreviewFixture.h"

#include <cstdio>
#include <filesystem>

namespace tessarin {

void AppDelegate::scheduleLaunchOSDPreviewIfRequested() {
    if (!launchOptions.showOSDOnLaunch) {
        return;
    }
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    pendingLaunchOSDWorkItem =
        MainQueue::main().asyncAfter(launchOptions.showOSDOnLaunchDelay, [weakSelf] {
            auto self = weakSelf.lock();
            if (!self) {
                return;
            }
            AppDelegate& delegate = **self;
            if (delegate.launchOptions.osdPreviewFixture) {
                delegate.presentation_->showOSDPreviewFixture();
            } else if (delegate.gridModeStore.globalShowOSDSpacePickerOnAllScreens) {
                delegate.presentation_->showOSDSpacePickerOnAllScreens(nullptr);
            } else {
                delegate.presentation_->showOSDSpacePickerOnCursorDisplay(nullptr);
            }
            delegate.scheduleLaunchOSDSnapshotIfRequested();
        });
}

void AppDelegate::scheduleLaunchOSDSnapshotIfRequested() {
    if (!launchOptions.osdSnapshotPath) {
        return;
    }
    std::error_code error;
    const std::filesystem::path path =
        std::filesystem::absolute(*launchOptions.osdSnapshotPath, error);
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    pendingLaunchOSDWorkItem =
        MainQueue::main().asyncAfter(launchOptions.osdSnapshotDelay, [weakSelf, path] {
            auto self = weakSelf.lock();
            if (!self) {
                return;
            }
            AppDelegate& delegate = **self;
            const std::optional<std::string> failure =
                delegate.launchSnapshotWriter_ ? delegate.launchSnapshotWriter_(path)
                                               : std::optional<std::string>("no OSD window");
            if (failure) {
                std::printf("Failed to write OSD snapshot to %s: %s\n", path.c_str(),
                            failure->c_str());
            } else {
                std::printf("Wrote OSD snapshot to %s\n", path.c_str());
            }
            std::fflush(stdout);
            if (delegate.launchSnapshotFinished) {
                delegate.launchSnapshotFinished(!failure);
            }
        });
}

bool AppDelegate::showOSDPreviewFixture() {
    OSDVisualPreviewFixture::show(*osdWindow_);
    return true;
}

} // namespace tessarin
