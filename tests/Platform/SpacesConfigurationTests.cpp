#include "Platform/Preferences/Preferences.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/SpacesConfiguration.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace K = SpacesConfigurationKey;

TEST(SpacesConfigurationTest, TitlesAreKeptByTheirSpaceIDAndAnEmptyTitleRemovesOne) {
    const std::vector<SpaceList> lists = {{"UUID-A", {{1, 0, "U1"}, {2, 0, "U2"}}, 2},
                                          {"UUID-B", {{7, 4, "U7"}}, 7}};
    EXPECT_EQ(spaceTitles(makeSpacesConfiguration(lists, {{2, "Work"}, {7, "Film"}})),
              (SpaceTitles{{2, "Work"}, {7, "Film"}}));
    UserDefaults own;
    Preferences preferences(own);
    writeSpacesConfiguration(preferences, lists, {{1, "Mail"}, {2, "Work"}});
    writeSpacesConfiguration(preferences, lists, {{2, ""}});
    EXPECT_EQ(readSpaceTitles(preferences), (SpaceTitles{{1, "Mail"}}));
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

} // namespace
} // namespace tessarin
