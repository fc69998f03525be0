// Ownership at teardown: the device releases every track's name and keys and
// the records it created, never a record of the embedded set, whose block goes
// last. A leak or a double release here shows under AddressSanitizer and
// valgrind, which both run these tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "embedded_sync_device.h"
#include "sync/embedded_tracks.h"
#include "sync/sync_device.h"
#include "track_file_fixtures.h"

namespace {

// The fixture's destructor is the teardown under test.
TEST(SyncTeardown, DeviceWithAttachedSetAndCreatedTracksReleasesEachBlockOnce)
{
    const EmbeddedSyncDevice embedded;
    ASSERT_TRUE(embedded.Ready());
    SyncDevice* device = embedded.device;

    MemoryTrackFile::Serve(device, TrackFileBytes({{0, 1.5f, 1}, {10, 3.5f, 0}}));
    SyncTrack* withKeys = GetTrack(device, "camera_fov");
    ASSERT_NE(withKeys, nullptr);
    ASSERT_EQ(withKeys->keyCount, 2);
    NoTrackFiles::Use(device);
    ASSERT_NE(GetTrack(device, "camera_roll"), nullptr);
    ASSERT_EQ(RegisteredTracks(*device).size(), LoadedTracks(embedded.set).size() + 2);
}

TEST(SyncTeardown, DeviceWithoutAttachedSetReleasesEveryRecord)
{
    SyncDevice* device = CreateSyncDevice("Quorl");
    ASSERT_NE(device, nullptr);
    MemoryTrackFile::Serve(device, TrackFileBytes({{0, 1.0f, 0}}));
    for (const char* name : {"a", "b", "c"}) ASSERT_NE(GetTrack(device, name), nullptr);
    DestroySyncDevice(device, 0);
}

TEST(SyncTeardown, SetThatWasNeverAttachedIsReleasedWhole)
{
    EmbeddedTrackSet set = LoadEmbeddedTracks();
    ASSERT_NE(set.tracks, nullptr);
    ReleaseUnattachedTracks(set);
    EXPECT_EQ(set.tracks, nullptr);
    EXPECT_EQ(set.count, 0u);
}

}  // namespace
