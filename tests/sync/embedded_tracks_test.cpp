// The embedded choreography: the table the build links in, what loading makes
// of it, and how the loaded tracks take the first slots of a device.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "sync/embedded_tracks.h"
#include "sync/sync_device.h"
#include "track_file_fixtures.h"

namespace {

constexpr std::int32_t S = 0;  // step
constexpr std::int32_t L = 1;  // linear
constexpr std::int32_t M = 2;  // smooth

struct ExpectedTrack {
    const char* name;
    std::vector<TrackKey> keys;
};

// The whole choreography, written out independently of assets/tracks.txt.
const std::vector<ExpectedTrack>& Choreography()
{
    static const std::vector<ExpectedTrack> tracks = {
        {"scene", {{0, 0.1f, S}, {800, 1.0f, S}}},
        {"ftb", {{0, 1.0f, L}, {16, 0.8f, L}, {32, 0.0f, S}, {768, 0.0f, L}, {784, 0.8f, L}, {800, 1.0f, S}}},
        {"camera_position:x",
         {{0, 0.0f, S}, {128, 0.0f, S}, {192, -5.7f, L}, {255, -1.900004f, S}, {256, 0.0f, S}, {383, 0.0f, S},
          {384, 12.0f, S}, {448, 0.0f, S}, {511, 0.0f, S}, {512, 0.0f, S}, {580, 0.0f, M}, {608, 250.0f, S},
          {636, 250.0f, M}, {652, 350.0f, S}}},
        {"camera_position:y",
         {{0, 0.0f, L}, {128, -5.0f, L}, {192, 9.599998f, L}, {255, 10.600002f, S}, {256, 10.0f, S}, {383, 10.0f, S},
          {384, 0.0f, L}, {448, 100.0f, L}, {511, 200.0f, S}, {512, 0.0f, S}, {580, 0.0f, S}, {636, 0.0f, S},
          {652, 0.0f, S}}},
        {"camera_position:z",
         {{0, 0.0f, L}, {128, 200.0f, L}, {144, 265.0f, L}, {191, 420.16418f, S}, {192, 413.5001f, L},
          {255, 610.6702f, S}, {256, 600.0f, L}, {383, 1400.0f, S}, {384, -5.5f, S}, {448, -10.0f, L},
          {511, -1.4f, S}, {512, 0.0f, L}, {580, 265.625f, S}, {608, 265.625f, M}, {636, 465.625f, M},
          {652, 465.625f, L}, {800, 1665.625f, S}}},
        {"camera_rotation:x",
         {{0, -30.0f, M}, {32, -30.0f, M}, {128, -27.0f, M}, {160, -44.14286f, M}, {191, 9.0f, S}, {192, 25.0f, S},
          {255, 25.0f, S}, {256, 20.0f, M}, {288, 35.0f, M}, {320, 20.0f, M}, {352, 15.0f, M}, {383, 20.0f, S},
          {384, -71.0f, S}, {448, -70.0f, S}, {511, -70.0f, S}, {512, 0.0f, S}}},
        {"camera_rotation:y",
         {{0, 0.0f, M}, {32, 0.0f, M}, {56, -45.0f, M}, {102, 45.0f, M}, {128, 60.0f, M}, {160, 140.0f, M},
          {191, 124.0f, S}, {192, -130.0f, L}, {255, -110.0f, S}, {256, 0.0f, S}, {383, 0.0f, S}, {384, 0.0f, S},
          {448, 0.0f, S}, {511, 0.0f, S}, {512, 0.0f, S}}},
        {"camera_rotation:z",
         {{0, 0.0f, M}, {32, 0.0f, M}, {128, 0.0f, M}, {192, 0.0f, S}, {255, 0.0f, S}, {383, 0.0f, S},
          {384, 40.0f, S}, {448, 0.0f, S}, {511, 0.0f, S}, {512, 0.0f, S}}},
        {"seagull:x",
         {{128, 21.0f, M}, {144, 5.0f, S}, {192, -7.0f, S}, {255, -7.0f, S}, {256, 0.0f, S}, {383, 0.0f, S},
          {384, 0.0f, S}}},
        {"seagull:y",
         {{128, 11.0f, M}, {144, 4.671875f, M}, {192, 8.9f, L}, {196, 9.1f, L}, {200, 8.9f, L}, {204, 9.1f, L},
          {208, 8.9f, L}, {212, 9.1f, L}, {216, 8.9f, L}, {220, 9.1f, L}, {224, 8.9f, L}, {228, 9.1f, L},
          {232, 8.9f, L}, {236, 9.1f, L}, {240, 8.9f, L}, {244, 9.1f, L}, {248, 8.9f, L}, {252, 9.1f, L},
          {255, 8.95f, S}, {256, 0.0f, L}, {383, 0.0f, L}, {384, 0.0f, L}}},
        {"seagull:z",
         {{128, 212.0f, L}, {192, 412.0f, L}, {255, 608.875f, S}, {256, 622.0f, L}, {383, 1422.0f, S},
          {384, 0.0f, S}}},
    };
    return tracks;
}

void AppendLittleEndian(std::vector<unsigned char>& bytes, std::uint32_t bits, int size)
{
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<unsigned char>(bits >> (8 * i)));
}

// Writes tracks in the table format, field by field and little-endian.
template <typename Name, typename Keys>
std::vector<unsigned char> WriteTable(std::size_t count, Name nameOf, Keys keysOf)
{
    std::vector<unsigned char> bytes;
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(count), 1);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = nameOf(i);
        AppendLittleEndian(bytes, static_cast<std::uint32_t>(name.size() + 1), 1);
        bytes.insert(bytes.end(), name.begin(), name.end());
        bytes.push_back(0);
        const std::vector<TrackKey> keys = keysOf(i);
        AppendLittleEndian(bytes, static_cast<std::uint32_t>(keys.size()), 2);
        for (const TrackKey& key : keys) {
            std::uint32_t valueBits;
            std::memcpy(&valueBits, &key.value, sizeof valueBits);
            AppendLittleEndian(bytes, static_cast<std::uint32_t>(key.row), 4);
            AppendLittleEndian(bytes, valueBits, 4);
            AppendLittleEndian(bytes, static_cast<std::uint32_t>(key.type), 4);
        }
    }
    return bytes;
}

std::vector<unsigned char> TableBytes()
{
    const auto table = EmbeddedTrackTable();
    return {table.begin(), table.end()};
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

TEST(EmbeddedTrackTable, ChoreographyWrittenInTableFormatIsTheTable)
{
    const auto& tracks = Choreography();
    const std::vector<unsigned char> written = WriteTable(
        tracks.size(), [&](std::size_t i) { return std::string(tracks[i].name); },
        [&](std::size_t i) { return tracks[i].keys; });
    EXPECT_EQ(written, TableBytes());
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

TEST(EmbeddedTrackLoading, EveryKeyIsExactlyAsChoreographed)
{
    const LoadedSet loaded;
    ASSERT_NE(loaded.set.tracks, nullptr);
    const auto& expected = Choreography();
    ASSERT_EQ(loaded.set.count, expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const SyncTrack& track = loaded.set.tracks[i];
        ASSERT_EQ(static_cast<std::size_t>(track.keyCount), expected[i].keys.size()) << expected[i].name;
        for (std::size_t k = 0; k < expected[i].keys.size(); ++k) {
            const TrackKey& key = track.keys[k];
            const TrackKey& want = expected[i].keys[k];
            EXPECT_EQ(key.row, want.row) << expected[i].name << " key " << k;
            EXPECT_EQ(key.value, want.value) << expected[i].name << " key " << k;
            EXPECT_EQ(key.type, want.type) << expected[i].name << " key " << k;
            // Every zero of the choreography is a positive zero.
            EXPECT_FALSE(std::signbit(key.value) && key.value == 0.0f) << expected[i].name << " key " << k;
        }
    }
}

TEST(EmbeddedTrackLoading, LoadedTracksWrittenBackReproduceTheTableByteForByte)
{
    const LoadedSet loaded;
    ASSERT_NE(loaded.set.tracks, nullptr);
    const SyncTrack* tracks = loaded.set.tracks;
    const std::vector<unsigned char> written = WriteTable(
        loaded.set.count, [&](std::size_t i) { return std::string(tracks[i].name); },
        [&](std::size_t i) {
            return std::vector<TrackKey>(tracks[i].keys, tracks[i].keys + tracks[i].keyCount);
        });
    EXPECT_EQ(written, TableBytes());
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
    SyncDevice* device = CreateSyncDevice("Rocket");
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
    EXPECT_EQ(NoTrackFiles::openedPaths, std::vector<std::string>{"Rocket_camera_fov.track"});
    for (std::uint32_t i = 0; i < 11; ++i) EXPECT_EQ(device->tracks[i], &loaded.set.tracks[i]) << "slot " << i;
    EXPECT_EQ(GetTrack(device, "scene"), &loaded.set.tracks[0]);
}

}  // namespace
