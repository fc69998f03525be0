// Replacing the keys of a device's tracks with a re-read choreography: the
// records (and so every handle on them) stay, the keys change, and what the
// new text lacks or adds is handled as documented.
#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "embedded_sync_device.h"
#include "key_types.h"
#include "sync/sync_device.h"
#include "sync/track_replacement.h"
#include "track_file_fixtures.h"

namespace {

// A device holding "scene", "ftb" and "seagull:x", registered with no file
// behind them and then given keys by a first replacement.
class ThreeRegisteredTracks : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(device, nullptr);
        NoTrackFiles::Use(device.get());
        for (const char* name : {"scene", "ftb", "seagull:x"}) ASSERT_NE(GetTrack(device.get(), name), nullptr);
        ASSERT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{
                                                       {"scene", {{0, 0.1f, kStep}, {800, 1.0f, kStep}}},
                                                       {"ftb", {{0, 1.0f, kLinear}, {32, 0.0f, kStep}}},
                                                       {"seagull:x", {{128, 21.0f, kStep}}},
                                                   }));
    }

    SyncTrack* Track(std::size_t slot) const { return RegisteredTracks(*device)[slot]; }

    DevicePointer device = MakeDevice();
};

TEST_F(ThreeRegisteredTracks, KeysOfTheSameNameReplaceTheOldOnes)
{
    const std::vector<NamedTrack> edited = {
        {"scene", {{0, 0.1f, kStep}, {400, 1.0f, kStep}}},
        {"ftb", {{0, 0.0f, kLinear}, {10, 5.0f, kLinear}, {20, 0.0f, kStep}}},
        {"seagull:x", {{0, -3.0f, kStep}}},
    };
    ASSERT_TRUE(ReplaceTrackKeys(device.get(), edited));
    for (std::size_t slot = 0; slot < edited.size(); ++slot) {
        ASSERT_EQ(Track(slot)->keyCount, static_cast<std::int32_t>(edited[slot].keys.size())) << edited[slot].name;
        EXPECT_EQ(std::vector<TrackKey>(Track(slot)->keys, Track(slot)->keys + Track(slot)->keyCount),
                  edited[slot].keys)
            << edited[slot].name;
    }
    EXPECT_DOUBLE_EQ(GetTrackValue(Track(1), 5.0), 2.5);
}

TEST_F(ThreeRegisteredTracks, RecordsAndSlotsStaySoHandlesStayValid)
{
    const std::span<SyncTrack* const> slots = RegisteredTracks(*device);
    const std::vector<SyncTrack*> before(slots.begin(), slots.end());
    ASSERT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{{"ftb", {{0, 7.0f, kStep}}}}));
    const std::span<SyncTrack* const> after = RegisteredTracks(*device);
    EXPECT_EQ(after.data(), slots.data());
    EXPECT_EQ(std::vector<SyncTrack*>(after.begin(), after.end()), before);
    EXPECT_STREQ(Track(1)->name, "ftb");
    EXPECT_EQ(GetTrack(device.get(), "ftb"), before[1]);
}

TEST_F(ThreeRegisteredTracks, TrackMissingFromTheTextBecomesEmptyAndEvaluatesToZero)
{
    ASSERT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{{"scene", {{0, 0.1f, kStep}}}}));
    EXPECT_EQ(Track(1)->keyCount, 0);
    EXPECT_EQ(Track(1)->keys, nullptr);
    EXPECT_EQ(GetTrackValue(Track(1), 10.0), 0.0);
    EXPECT_EQ(Track(2)->keyCount, 0);
}

TEST_F(ThreeRegisteredTracks, TrackTheDeviceLacksIsIgnoredAndNotRegistered)
{
    ASSERT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{
                                                   {"camera_fov", {{0, 60.0f, kStep}}},
                                                   {"ftb", {{0, 0.5f, kStep}}},
                                               }));
    EXPECT_EQ(RegisteredTracks(*device).size(), 3u);
    EXPECT_DOUBLE_EQ(GetTrackValue(Track(1), 0.0), 0.5);
    EXPECT_EQ(NoTrackFiles::openedPaths.size(), 3u) << "no file is looked for";
}

TEST_F(ThreeRegisteredTracks, NamesAreMatchedExactlyNotByCase)
{
    ASSERT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{{"FTB", {{0, 9.0f, kStep}}}}));
    EXPECT_EQ(Track(1)->keyCount, 0);
}

TEST(EmbeddedTrackReplacement, AttachedTracksTakeNewKeysAndTheDeviceReleasesThemOnce)
{
    // Run under valgrind too: the embedded set's key blocks are replaced by
    // the new ones, which the device then releases like the old.
    const EmbeddedSyncDevice embedded;
    ASSERT_TRUE(embedded.Ready());
    const SyncTrack* seagull = FindTrack(*embedded.device, "seagull:z");
    const SyncTrack* scene = FindTrack(*embedded.device, "scene");
    ASSERT_NE(seagull, nullptr);
    ASSERT_NE(scene, nullptr);

    ASSERT_TRUE(ReplaceTrackKeys(embedded.device,
                                 std::vector<NamedTrack>{{"seagull:z", {{0, 1.0f, kLinear}, {8, 3.0f, kStep}}}}));
    EXPECT_DOUBLE_EQ(GetTrackValue(seagull, 4.0), 2.0);
    EXPECT_EQ(scene->keyCount, 0) << "the scene track is not in the new text";
}

TEST(EmptyDeviceReplacement, SucceedsAndChangesNothing)
{
    const DevicePointer device = MakeDevice();
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{{"ftb", {{0, 1.0f, kStep}}}}));
    EXPECT_TRUE(RegisteredTracks(*device).empty());
}

}  // namespace
