#pragma once

#include "Platform/Preferences/PropertyValue.h"

namespace tessarin {

// How the preferences window asks for an update check.
class SoftwareUpdateChecking {
public:
    virtual ~SoftwareUpdateChecking() = default;
    virtual bool hasUpdater() const = 0;
    virtual void checkForUpdates() = 0;
};

// The holder of the optional software-update framework. No update framework runs on this
// host, so the holder never has an updater, whatever the bundle's information says; a request
// for updates shows the missing-configuration alert.
class SoftwareUpdateController final : public SoftwareUpdateChecking {
public:
    static constexpr const char* publicKeyInfoKey = "SUPublicEDKey";
    static constexpr const char* publicKeyPlaceholder = "REPLACE_WITH_SPARKLE_PUBLIC_ED_KEY";

    explicit SoftwareUpdateController(const PropertyDictionary& bundleInfo = {});

    // True for a text under the key that, trimmed, is neither empty nor the placeholder.
    static bool hasConfiguredPublicEDKey(const PropertyDictionary& bundleInfo);
    static void showMissingConfigurationAlert();

    bool hasUpdater() const override { return false; }
    void checkForUpdates() override;
};

} // namespace tessarin
