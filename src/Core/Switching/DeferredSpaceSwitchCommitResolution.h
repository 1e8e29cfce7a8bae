#pragma once

#include <cstdint>
#include <optional>

namespace tessarin {

// What committing a preview does: switch to a system Space index, nothing because the selected
// Space is already current, or nothing because no target can be resolved.
class DeferredSpaceSwitchCommitResolution {
public:
    enum class Kind { switchToSystemIndex, alreadyCurrent, noTarget };

    static DeferredSpaceSwitchCommitResolution switchToSystemIndex(int64_t systemIndex) {
        return DeferredSpaceSwitchCommitResolution(Kind::switchToSystemIndex, systemIndex);
    }
    static DeferredSpaceSwitchCommitResolution alreadyCurrent() {
        return DeferredSpaceSwitchCommitResolution(Kind::alreadyCurrent, std::nullopt);
    }
    static DeferredSpaceSwitchCommitResolution noTarget() {
        return DeferredSpaceSwitchCommitResolution(Kind::noTarget, std::nullopt);
    }

    Kind kind() const { return kind_; }
    // Present exactly for `switchToSystemIndex`.
    std::optional<int64_t> systemIndex() const { return systemIndex_; }

    friend bool operator==(const DeferredSpaceSwitchCommitResolution&,
                           const DeferredSpaceSwitchCommitResolution&) = default;

private:
    DeferredSpaceSwitchCommitResolution(Kind kind, std::optional<int64_t> systemIndex)
        : kind_(kind), systemIndex_(systemIndex) {}

    Kind kind_;
    std::optional<int64_t> systemIndex_;
};

} // namespace tessarin
