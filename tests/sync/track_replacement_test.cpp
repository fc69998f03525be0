// Replacing the keys of a device's tracks with a re-read choreography: the
// records (and so every handle on them) stay, the keys change, and what the
// new text lacks or adds is handled as documented.
#include <gtest/gtest.h>

#include <vector>

#include "key_types.h"
#include "sync/embedded_tracks.h"
#include "sync/sync_device.h"
#include "sync/track_replacement.h"
#include "track_file_fixtures.h"

namespace {

// A device holding "scene", "ftb" and "seagull:x", registered with no file
// behind them and then given keys by a first replacement.
class RegisteredTracks : public ::testing::Test {
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

    SyncTrack* Track(std::size_t slot) const { return device->tracks[slot]; }

    DevicePointer device = MakeDevice();
};

TEST_F(RegisteredTracks, KeysOfTheSameNameReplaceTheOldOnes)
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

TEST_F(RegisteredTracks, RecordsAndSlotsStaySoHandlesStayValid)
{
    const std::vector<SyncTrack*> before(device->tracks, device->tracks + device->trackCount);
    SyncTrack** const slotArray = device->tracks;
    ASSERT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{{"ftb", {{0, 7.0f, kStep}}}}));
    EXPECT_EQ(device->tracks, slotArray);
    EXPECT_EQ(std::vector<SyncTrack*>(device->tracks, device->tracks + device->trackCount), before);
    EXPECT_STREQ(Track(1)->name, "ftb");
    EXPECT_EQ(GetTrack(device.get(), "ftb"), before[1]);
}

TEST_F(RegisteredTracks, TrackMissingFromTheTextBecomesEmptyAndEvaluatesToZero)
{
    ASSERT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{{"scene", {{0, 0.1f, kStep}}}}));
    EXPECT_EQ(Track(1)->keyCount, 0);
    EXPECT_EQ(Track(1)->keys, nullptr);
    EXPECT_EQ(GetTrackValue(Track(1), 10.0), 0.0);
    EXPECT_EQ(Track(2)->keyCount, 0);
}

TEST_F(RegisteredTracks, TrackTheDeviceLacksIsIgnoredAndNotRegistered)
{
    ASSERT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{
                                                   {"camera_fov", {{0, 60.0f, kStep}}},
                                                   {"ftb", {{0, 0.5f, kStep}}},
                                               }));
    EXPECT_EQ(device->trackCount, 3u);
    EXPECT_DOUBLE_EQ(GetTrackValue(Track(1), 0.0), 0.5);
    EXPECT_EQ(NoTrackFiles::openedPaths.size(), 3u) << "no file is looked for";
}

TEST_F(RegisteredTracks, NamesAreMatchedExactlyNotByCase)
{
    ASSERT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{{"FTB", {{0, 9.0f, kStep}}}}));
    EXPECT_EQ(Track(1)->keyCount, 0);
}

TEST(EmbeddedTrackReplacement, AttachedTracksTakeNewKeysAndTheDeviceReleasesThemOnce)
{
    // Run under valgrind too: the embedded set's key blocks are replaced by
    // the new ones, which the device then releases like the old.
    SyncDevice* device = CreateSyncDevice("Quorl");
    ASSERT_NE(device, nullptr);
    EmbeddedTrackSet set = LoadEmbeddedTracks();
    ASSERT_NE(set.tracks, nullptr);
    ASSERT_TRUE(AttachEmbeddedTracks(device, set));

    ASSERT_TRUE(ReplaceTrackKeys(device, std::vector<NamedTrack>{{"seagull:z", {{0, 1.0f, kLinear}, {8, 3.0f, kStep}}}}));
    EXPECT_DOUBLE_EQ(GetTrackValue(&set.tracks[10], 4.0), 2.0);
    EXPECT_EQ(set.tracks[0].keyCount, 0) << "the scene track is not in the new text";

    DestroySyncDevice(device, set.count);
    ReleaseEmbeddedTrackStorage(set);
}

TEST(EmptyDeviceReplacement, SucceedsAndChangesNothing)
{
    const DevicePointer device = MakeDevice();
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{{"ftb", {{0, 1.0f, kStep}}}}));
    EXPECT_EQ(device->trackCount, 0u);
}

}  // namespace
