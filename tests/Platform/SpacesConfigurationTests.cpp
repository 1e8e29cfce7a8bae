#include "Platform/Preferences/Preferences.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/SpacesConfiguration.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace K = SpacesConfigurationKey;

std::vector<SpaceList> lists() {
    return {{"UUID-A", {{1, 0, "U1"}, {2, 0, "U2"}}, 2}, {"UUID-B", {{7, 4, "U7"}}, 7}};
}

TEST(SpacesConfigurationTest, TitlesReadBackByTheirSpaceID) {
    const PropertyValue configuration =
        makeSpacesConfiguration(lists(), {{2, "Work"}, {7, "Film"}});
    EXPECT_EQ(spaceTitles(configuration), (SpaceTitles{{2, "Work"}, {7, "Film"}}));

    const PropertyValue* monitor =
        &(*configuration.member(K::managementData)->member(K::monitors)->array())[0];
    EXPECT_EQ(monitor->member(K::displayIdentifier)->stringValue(), "UUID-A");
    EXPECT_EQ(monitor->member(K::currentSpace)->member(K::managedSpaceID)->integerValue(), 2);
    const PropertyArray& spaces = *monitor->member(K::spaces)->array();
    ASSERT_EQ(spaces.size(), 2u);
    EXPECT_EQ(spaces[0].member(K::uuid)->stringValue(), "U1");
    EXPECT_EQ(spaces[0].member(K::title), nullptr); // untitled Spaces carry no name
}

TEST(SpacesConfigurationTest, MalformedConfigurationsHoldNoTitles) {
    const PropertyValue cases[] = {
        PropertyValue("text"),
        PropertyValue(PropertyDictionary{{K::managementData, PropertyValue(3)}}),
        PropertyValue(PropertyDictionary{
            {K::managementData,
             PropertyValue(PropertyDictionary{
                 {K::monitors, PropertyValue(PropertyArray{PropertyValue("not a monitor")})}})}}),
    };
    for (const PropertyValue& configuration : cases) {
        EXPECT_TRUE(spaceTitles(configuration).empty()) << configuration.typeName();
    }
}

TEST(SpacesConfigurationTest, WritingKeepsTitlesAndAnEmptyTitleRemovesOne) {
    UserDefaults own;
    Preferences preferences(own);
    writeSpacesConfiguration(preferences, lists(), {{1, "Mail"}, {2, "Work"}});
    writeSpacesConfiguration(preferences, lists(), {{2, ""}});
    EXPECT_EQ(readSpaceTitles(preferences), (SpaceTitles{{1, "Mail"}}));
}

} // namespace
} // namespace tessarin
