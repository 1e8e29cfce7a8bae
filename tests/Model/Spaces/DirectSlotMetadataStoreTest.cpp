#include "Model/Spaces/DirectSlotMetadataStore.h"

#include "Model/Settings/DefaultsWriteRecorder.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

constexpr const char* kDisplay = "A1B2C3D4-0000-4000-8000-000000000001";

class DirectSlotMetadataStoreTest : public ::testing::Test {
protected:
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    UserDefaults defaults;
    DirectSlotMetadataStore store{defaults};

    static std::string key(int slot, const char* suffix) {
        return std::string("directSlot.display.") + kDisplay + "." + std::to_string(slot) + "." +
               suffix;
    }
};

TEST_F(DirectSlotMetadataStoreTest, ReadsTrimmedNamesAndFlagsUnderTrimmedIdentifiers) {
    defaults.set(key(3, "name"), "  Mail \n");
    defaults.set(key(3, "obscure"), true);
    const DirectSlotMetadata metadata = store.metadata(std::string(" ") + kDisplay + "\t", 3);
    EXPECT_EQ(metadata.name, std::optional<std::string>("Mail"));
    EXPECT_TRUE(metadata.obscured);
    EXPECT_EQ(store.metadata(kDisplay, 4), DirectSlotMetadata{});
}

TEST_F(DirectSlotMetadataStoreTest, UnusableRecordsReadAsEmpty) {
    defaults.set(key(1, "obscure"), PropertyValue("yes"));
    defaults.set("directSlot.display.  .1.name", "blank display");
    defaults.set(std::string("directSlot.display.") + kDisplay + ".0.name", "slot zero");
    defaults.set(std::string("directSlot.display.") + kDisplay + ".11.name", "slot eleven");
    for (const PropertyValue& name : {PropertyValue(" \n\t "), PropertyValue(42)}) {
        defaults.set(key(1, "name"), name);
        EXPECT_EQ(store.metadata(kDisplay, 1), DirectSlotMetadata{});
    }
    defaults.set(key(1, "name"), "x");
    EXPECT_EQ(store.metadata("  ", 1), DirectSlotMetadata{});
    EXPECT_EQ(store.metadata(kDisplay, 0), DirectSlotMetadata{});
    EXPECT_EQ(store.metadata(kDisplay, 11), DirectSlotMetadata{});
}

TEST_F(DirectSlotMetadataStoreTest, SetNameWritesOnlyRealChanges) {
    DefaultsWriteRecorder writes(defaults);
    EXPECT_TRUE(store.setName(std::string("  Code  "), kDisplay, 2));
    EXPECT_EQ(defaults.object(key(2, "name")), PropertyValue("Code"));
    EXPECT_EQ(store.revision.value(), 1);

    EXPECT_FALSE(store.setName(std::string("Code\n"), std::string(kDisplay) + " ", 2));
    EXPECT_FALSE(store.setName(std::string("x"), kDisplay, 0));
    EXPECT_FALSE(store.setName(std::string("x"), kDisplay, 11));
    EXPECT_FALSE(store.setName(std::string("x"), " ", 2));
    EXPECT_FALSE(store.setName(std::nullopt, kDisplay, 5)) << "nothing to remove";
    EXPECT_EQ(writes.count(), 1u);
    EXPECT_EQ(store.revision.value(), 1);

    EXPECT_TRUE(store.setName(std::string("   "), kDisplay, 2));
    EXPECT_FALSE(defaults.contains(key(2, "name")));
    EXPECT_EQ(store.revision.value(), 2);
}

TEST_F(DirectSlotMetadataStoreTest, SetObscuredWritesOnlyRealChanges) {
    DefaultsWriteRecorder writes(defaults);
    EXPECT_FALSE(store.setObscured(false, kDisplay, 4)) << "nothing stored already reads false";
    EXPECT_TRUE(store.setObscured(true, kDisplay, 4));
    EXPECT_FALSE(store.setObscured(true, kDisplay, 4));
    EXPECT_FALSE(store.setObscured(true, kDisplay, 12));
    EXPECT_TRUE(store.setObscured(false, kDisplay, 4));
    EXPECT_EQ(writes.count(), 2u);
    EXPECT_EQ(store.revision.value(), 2);
    EXPECT_FALSE(store.metadata(kDisplay, 4).obscured);
}

TEST_F(DirectSlotMetadataStoreTest, HighestNamedSlotIgnoresBlankNames) {
    EXPECT_EQ(store.highestNamedSlotIndex(kDisplay), std::nullopt);
    store.setName(std::string("One"), kDisplay, 1);
    store.setName(std::string("Seven"), kDisplay, 7);
    defaults.set(key(9, "name"), "   ");
    store.setObscured(true, kDisplay, 10);
    EXPECT_EQ(store.highestNamedSlotIndex(kDisplay), std::optional<int>(7));
    EXPECT_EQ(store.highestNamedSlotIndex("other"), std::nullopt);
}

// The tenth slot is the last a name is kept for, and counts as any other.
TEST_F(DirectSlotMetadataStoreTest, TheTenthSlotIsTheHighestWhenNamed) {
    store.setName(std::string("One"), kDisplay, 1);
    store.setName(std::string("Ten"), kDisplay, 10);
    EXPECT_EQ(store.highestNamedSlotIndex(kDisplay), std::optional<int>(10));
    store.setName(std::nullopt, kDisplay, 1);
    EXPECT_EQ(store.highestNamedSlotIndex(kDisplay), std::optional<int>(10));
    EXPECT_FALSE(store.setName(std::string("Eleven"), kDisplay, 11));
    EXPECT_EQ(store.highestNamedSlotIndex(kDisplay), std::optional<int>(10));
}

TEST_F(DirectSlotMetadataStoreTest, ClearAllRemovesEverySlotOfThatDisplayOnce) {
    store.setName(std::string("One"), kDisplay, 1);
    store.setObscured(true, kDisplay, 10);
    store.setName(std::string("Other"), "other", 1);
    defaults.set("unrelated", 1);
    const auto revisionBefore = store.revision.value();

    store.clearAll(std::string(kDisplay) + "\n");
    EXPECT_EQ(store.metadata(kDisplay, 1), DirectSlotMetadata{});
    EXPECT_EQ(store.metadata(kDisplay, 10), DirectSlotMetadata{});
    EXPECT_EQ(store.metadata("other", 1).name, std::optional<std::string>("Other"));
    EXPECT_TRUE(defaults.contains("unrelated"));
    EXPECT_EQ(store.revision.value(), revisionBefore + 1);

    DefaultsWriteRecorder writes(defaults);
    store.clearAll(kDisplay);
    EXPECT_EQ(writes.count(), 0u);
    EXPECT_EQ(store.revision.value(), revisionBefore + 1);
}

} // namespace
} // namespace tessarin
