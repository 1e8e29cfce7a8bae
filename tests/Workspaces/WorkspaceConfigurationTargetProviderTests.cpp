#include "Model/Settings/GridModeStore.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Model/Spaces/DisplaySpaceOrderStore.h"
#include "Model/Spaces/DisplaySpaceSlotTestSupport.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/VirtualMainQueue.h"
#include "Workspaces/WorkspaceConfigurationTargetProvider.h"

#include <gtest/gtest.h>
#include <map>

namespace tessarin {
namespace {

using Option = WorkspaceConfigurationSpaceOption;
using Options = std::vector<Option>;
using testing::P;
using testing::R;

const TessarinDisplay kLeft{"LEFT-UUID", "Studio Display"};
const TessarinDisplay kRight{"RIGHT-UUID", "Built-in Retina Display"};

class WorkspaceConfigurationTargetProviderTests : public ::testing::Test {
protected:
    std::vector<WorkspaceConfigurationTarget> targets(bool separate,
                                                      std::vector<TessarinDisplay> displays) {
        return WorkspaceConfigurationTargetProvider::liveTargets(
            separate, displays, gridModeStore, metadataStore, spaceOrderStore, source());
    }

    // The options of the only target (none when there is not exactly one).
    Options onlyOptions(bool separate, std::vector<TessarinDisplay> displays) {
        const auto result = targets(separate, std::move(displays));
        EXPECT_EQ(result.size(), 1u);
        return result.size() == 1 ? result[0].spaceOptions : Options{};
    }

    WorkspaceSpaceSource source() {
        WorkspaceSpaceSource source;
        source.displayIdentifierWithSpaces = [this] { return identifierWithSpaces; };
        source.activeMenuBarDisplayIdentifier = [this] { return activeMenuBarDisplay; };
        source.spaces =
            [this](const std::string& identifier) -> std::optional<WorkspaceDisplaySpaces> {
            asked.push_back(identifier);
            const auto found = spaces.find(identifier);
            if (found == spaces.end()) {
                return std::nullopt;
            }
            return found->second;
        };
        return source;
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    UserDefaults defaults;
    Preferences preferences{defaults};
    GridModeStore gridModeStore{preferences};
    DirectSlotMetadataStore metadataStore{defaults};
    DisplaySpaceOrderStore spaceOrderStore{defaults, [this](const std::string& identifier) {
                                               return metadataStore.highestNamedSlotIndex(
                                                   identifier);
                                           }};

    std::optional<std::string> identifierWithSpaces;
    std::optional<std::string> activeMenuBarDisplay;
    std::map<std::string, WorkspaceDisplaySpaces> spaces;
    std::vector<std::string> asked;
};

TEST_F(WorkspaceConfigurationTargetProviderTests, SeparateSpacesGiveOneTargetPerDisplayWithSpaces) {
    spaces[kLeft.identifier] = {{11, 12, 13}, 12};
    spaces[kRight.identifier] = {{21}, 21};
    const TessarinDisplay noSpaces{"EMPTY-UUID", "Projector"};
    spaces[noSpaces.identifier] = {{}, 0};
    const TessarinDisplay blank{" \n", "Blank"};
    const TessarinDisplay unknown{"GONE-UUID", "Gone"};

    const auto result = targets(true, {kRight, noSpaces, blank, unknown, kLeft});

    ASSERT_EQ(result.size(), 2u);
    EXPECT_EQ(result[0], (WorkspaceConfigurationTarget{
                             WorkspaceTargetKey::display(kRight.identifier), kRight.identifier,
                             kRight.identifier, kRight.name, Options{{0, "Space 01"}}}));
    EXPECT_EQ(result[1],
              (WorkspaceConfigurationTarget{
                  WorkspaceTargetKey::display(kLeft.identifier), kLeft.identifier, kLeft.identifier,
                  "Studio Display", Options{{0, "Space 01"}, {1, "Space 02"}, {2, "Space 03"}}}));
    for (const std::string& identifier : asked) {
        EXPECT_NE(identifier, blank.identifier);
    }
}

TEST_F(WorkspaceConfigurationTargetProviderTests, PlaceholdersKeepPositionsButAreNotOffered) {
    gridModeStore.setUsePlaceholders(true, DisplaySettingsScope::global());
    spaces[kLeft.identifier] = {{11, 12, 13}, 11};
    testing::writeLayout(defaults, kLeft.identifier, {R(11), R(12), P, R(13)});
    metadataStore.setName("Chat", kLeft.identifier, 4);
    EXPECT_EQ(onlyOptions(true, {kLeft}), (Options{{0, "Space 01"}, {1, "Space 02"}, {3, "Chat"}}));
    // The display's own setting wins over the global one.
    gridModeStore.setUsePlaceholders(false, DisplaySettingsScope::display(kLeft.identifier));
    EXPECT_EQ(onlyOptions(true, {kLeft}),
              (Options{{0, "Space 01"}, {1, "Space 02"}, {2, "Space 03"}}));
}

TEST_F(WorkspaceConfigurationTargetProviderTests, NamedSlotsBeyondTheSpacesPadWithUnofferedCells) {
    gridModeStore.setUsePlaceholders(true, DisplaySettingsScope::global());
    spaces[kLeft.identifier] = {{11, 12}, 11};
    metadataStore.setName("Later", kLeft.identifier, 5);
    EXPECT_EQ(onlyOptions(true, {kLeft}), (Options{{0, "Space 01"}, {1, "Space 02"}}));
}

TEST_F(WorkspaceConfigurationTargetProviderTests,
       ReconciledLayoutIsPersistedWhenPlaceholdersAreUsed) {
    gridModeStore.setUsePlaceholders(true, DisplaySettingsScope::global());
    spaces[kLeft.identifier] = {{11, 12, 14}, 11}; // 13 is gone, 14 is new
    testing::writeLayout(defaults, kLeft.identifier, {R(12), P, R(11), R(13)});
    targets(true, {kLeft});
    EXPECT_EQ(spaceOrderStore.storedSlots(kLeft.identifier), (std::vector{R(12), P, R(11), R(14)}));
}

TEST_F(WorkspaceConfigurationTargetProviderTests, SlotNamesReplaceNumberedTitlesUpToTheLastSlot) {
    spaces[kLeft.identifier] = {{101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111}, 101};
    metadataStore.setName("Mail", kLeft.identifier, 2);
    metadataStore.setName("Ten", kLeft.identifier, 10);
    metadataStore.setName("Elsewhere", kRight.identifier, 1);
    const auto options = onlyOptions(true, {kLeft});
    ASSERT_EQ(options.size(), 11u);
    EXPECT_EQ(options[0], (Option{0, "Space 01"}));
    EXPECT_EQ(options[1], (Option{1, "Mail"}));
    EXPECT_EQ(options[9].title, "Ten");
    EXPECT_EQ(options[10].title, "Space 11");
}

TEST_F(WorkspaceConfigurationTargetProviderTests, SharedSpacesGiveOneTargetNamedByTheFirstDisplay) {
    identifierWithSpaces = "Main";
    spaces["Main"] = {{31, 32}, 31};
    metadataStore.setName("Home", kRight.identifier, 1);
    metadataStore.setName("Ignored", kLeft.identifier, 2);
    const auto result = targets(false, {kRight, kLeft});
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(result[0], (WorkspaceConfigurationTarget{WorkspaceTargetKey::sharedSpaces(), "Main",
                                                       kRight.identifier, "Shared Spaces",
                                                       Options{{0, "Home"}, {1, "Space 02"}}}));
}

TEST_F(WorkspaceConfigurationTargetProviderTests,
       SharedSpacesAreNamedWhereTheMenuBarDisplayKeepsNames) {
    identifierWithSpaces = activeMenuBarDisplay = "Main";
    spaces["Main"] = {{31, 32}, 31};
    metadataStore.setName("Home", "Main", 2);
    metadataStore.setName("Ignored", kRight.identifier, 1);
    const auto result = targets(false, {kRight, kLeft});
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(result[0].metadataDisplayIdentifier, "Main");
    EXPECT_EQ(result[0].spaceOptions, (Options{{0, "Space 01"}, {1, "Home"}}));
}

TEST_F(WorkspaceConfigurationTargetProviderTests, SharedSpacesFallBackToTheFirstDisplaysSpaces) {
    identifierWithSpaces = activeMenuBarDisplay = " "; // blank names no display
    spaces[kLeft.identifier] = {{41, 42, 43}, 43};
    const auto result = targets(false, {kLeft, kRight});
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(result[0].displayIdentifier, kLeft.identifier);
    EXPECT_EQ(result[0].metadataDisplayIdentifier, kLeft.identifier);
    EXPECT_EQ(result[0].spaceOptions.size(), 3u);
}

TEST_F(WorkspaceConfigurationTargetProviderTests, SharedSpacesWithNothingToListGiveNoTarget) {
    EXPECT_TRUE(targets(false, {}).empty()); // no display and no identifier
    identifierWithSpaces = "Main";
    EXPECT_TRUE(targets(false, {kLeft}).empty()); // the owner lists no Spaces
    spaces["Main"] = {{}, 0};
    EXPECT_TRUE(targets(false, {kLeft}).empty());
}

TEST_F(WorkspaceConfigurationTargetProviderTests, MissingSourceClosuresGiveNoTargets) {
    spaces[kLeft.identifier] = {{11}, 11};
    for (const bool separate : {true, false}) {
        EXPECT_TRUE(WorkspaceConfigurationTargetProvider::liveTargets(
                        separate, {kLeft}, gridModeStore, metadataStore, spaceOrderStore, {})
                        .empty());
    }
}

} // namespace
} // namespace tessarin
