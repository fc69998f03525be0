// The embedded choreography: the table the build links in, what loading makes
// of it, and how the loaded tracks take the first slots of a device.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "sync/embedded_tracks.h"
#include "sync/sync_device.h"
#include "sync/track_table.h"
#include "sync/track_text.h"
#include "track_file_fixtures.h"

namespace {

std::vector<unsigned char> TableBytes()
{
    const auto table = EmbeddedTrackTable();
    return {table.begin(), table.end()};
}

// assets/tracks.txt as it stands in the source tree.
const std::vector<NamedTrack>& TextTracks()
{
    static const std::vector<NamedTrack> tracks = [] {
        std::ifstream in(QUORL_TRACK_TEXT, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ParsedTrackText parsed = ParseTrackText(text);
        EXPECT_FALSE(parsed.error) << parsed.error->line << ": " << parsed.error->message;
        return std::move(parsed.tracks);
    }();
    return tracks;
}

std::vector<NamedTrack> Named(const EmbeddedTrackSet& set)
{
    std::vector<NamedTrack> tracks;
    for (std::uint32_t i = 0; i < set.count; ++i) {
        const SyncTrack& track = set.tracks[i];
        tracks.push_back({track.name, {track.keys, track.keys + track.keyCount}});
    }
    return tracks;
}

// A loaded set that is released as a whole unless a device took it over.
struct LoadedSet {
    LoadedSet() : set(LoadEmbeddedTracks()) {}
    ~LoadedSet()
    {
        if (attached) {
            ReleaseEmbeddedTrackStorage(set);
        } else {
            ReleaseUnattachedTracks(set);
        }
    }
    LoadedSet(const LoadedSet&) = delete;
    LoadedSet& operator=(const LoadedSet&) = delete;

    EmbeddedTrackSet set;
    bool attached = false;
};

// ---------------------------------------------------------------------------
// The table
// ---------------------------------------------------------------------------

TEST(EmbeddedTrackTable, HasTheSizeAndOpeningBytesOfTheChoreography)
{
    const std::vector<unsigned char> table = TableBytes();
    ASSERT_EQ(table.size(), 1718u);
    const std::vector<unsigned char> opening = {0x0B, 0x06, 's',  'c',  'e',  'n',  'e',  0x00, 0x02, 0x00, 0x00,
                                                0x00, 0x00, 0x00, 0xCD, 0xCC, 0xCC, 0x3D, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(std::vector<unsigned char>(table.begin(), table.begin() + 22), opening);
}

TEST(EmbeddedTrackTable, IsTheChoreographyTextAsItStands)
{
    ASSERT_FALSE(TextTracks().empty());
    EXPECT_EQ(EncodeTrackTable(TextTracks()), TableBytes());
}

// ---------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------

TEST(EmbeddedTrackLoading, YieldsElevenTracksInTableOrderWith128Keys)
{
    const LoadedSet loaded;
    ASSERT_NE(loaded.set.tracks, nullptr);
    ASSERT_EQ(loaded.set.count, 11u);
    const char* names[] = {"scene",          "ftb",       "camera_position:x", "camera_position:y",
                           "camera_position:z", "camera_rotation:x", "camera_rotation:y", "camera_rotation:z",
                           "seagull:x",      "seagull:y", "seagull:z"};
    const std::int32_t keyCounts[] = {2, 6, 14, 13, 17, 16, 15, 10, 7, 22, 6};
    std::int32_t total = 0;
    for (std::uint32_t i = 0; i < 11; ++i) {
        EXPECT_STREQ(loaded.set.tracks[i].name, names[i]) << "slot " << i;
        EXPECT_EQ(loaded.set.tracks[i].keyCount, keyCounts[i]) << "slot " << i;
        total += loaded.set.tracks[i].keyCount;
    }
    EXPECT_EQ(total, 128);
}

TEST(EmbeddedTrackLoading, GivesBackEveryTrackAndKeyOfTheText)
{
    const LoadedSet loaded;
    ASSERT_NE(loaded.set.tracks, nullptr);
    EXPECT_EQ(Named(loaded.set), TextTracks());
}

TEST(EmbeddedTrackLoading, EveryZeroIsPositive)
{
    const LoadedSet loaded;
    ASSERT_NE(loaded.set.tracks, nullptr);
    for (const NamedTrack& track : Named(loaded.set)) {
        for (const TrackKey& key : track.keys) {
            EXPECT_FALSE(key.value == 0.0f && std::signbit(key.value)) << track.name << " row " << key.row;
        }
    }
}

TEST(EmbeddedTrackLoading, LoadedTracksWrittenBackReproduceTheTableByteForByte)
{
    const LoadedSet loaded;
    ASSERT_NE(loaded.set.tracks, nullptr);
    EXPECT_EQ(EncodeTrackTable(Named(loaded.set)), TableBytes());
}

// ---------------------------------------------------------------------------
// Attaching to a device
// ---------------------------------------------------------------------------

class AttachedTracks : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(device, nullptr);
        ASSERT_NE(loaded.set.tracks, nullptr);
        NoTrackFiles::Use(device);
        ASSERT_TRUE(AttachEmbeddedTracks(device, loaded.set));
        loaded.attached = true;
    }

    void TearDown() override { DestroySyncDevice(device, loaded.set.count); }

    LoadedSet loaded;  // outlives the device: declared first, destroyed last
    SyncDevice* device = CreateSyncDevice("Quorl");
};

TEST_F(AttachedTracks, SlotsReferToTheLoadedRecordsInTableOrder)
{
    ASSERT_EQ(device->trackCount, 11u);
    for (std::uint32_t i = 0; i < 11; ++i) EXPECT_EQ(device->tracks[i], &loaded.set.tracks[i]) << "slot " << i;
}

TEST_F(AttachedTracks, LookupsFindTheirSlotsWithoutGrowingOrOpeningFiles)
{
    SyncTrack** slots = device->tracks;
    EXPECT_EQ(GetTrack(device, "scene"), &loaded.set.tracks[0]);
    EXPECT_EQ(GetTrack(device, "seagull:z"), &loaded.set.tracks[10]);
    for (std::uint32_t i = 0; i < 11; ++i) {
        EXPECT_EQ(GetTrack(device, loaded.set.tracks[i].name), &loaded.set.tracks[i]) << "slot " << i;
    }
    EXPECT_EQ(device->trackCount, 11u);
    EXPECT_EQ(device->tracks, slots);
    EXPECT_TRUE(NoTrackFiles::openedPaths.empty());
}

TEST_F(AttachedTracks, NameTheSetLacksIsAddedAsSlotEleven)
{
    SyncTrack* track = GetTrack(device, "camera_fov");
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(device->trackCount, 12u);
    EXPECT_EQ(device->tracks[11], track);
    EXPECT_EQ(track->keyCount, 0);
    EXPECT_EQ(NoTrackFiles::openedPaths, std::vector<std::string>{"Quorl_camera_fov.track"});
    for (std::uint32_t i = 0; i < 11; ++i) EXPECT_EQ(device->tracks[i], &loaded.set.tracks[i]) << "slot " << i;
    EXPECT_EQ(GetTrack(device, "scene"), &loaded.set.tracks[0]);
}

}  // namespace
