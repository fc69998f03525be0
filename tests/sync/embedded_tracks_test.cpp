// The embedded choreography: the table the build links in, what loading makes
// of it, and how the loaded tracks take the first slots of a device.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "embedded_sync_device.h"
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
std::vector<NamedTrack> TextTracks()
{
    std::ifstream in(QUORL_TRACK_TEXT, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ParsedTrackText parsed = ParseTrackText(text);
    EXPECT_FALSE(parsed.error) << parsed.error->line << ": " << parsed.error->message;
    return std::move(parsed.tracks);
}

std::vector<NamedTrack> Named(std::span<const SyncTrack> tracks)
{
    std::vector<NamedTrack> named;
    for (const SyncTrack& track : tracks) named.push_back({track.name, {track.keys, track.keys + track.keyCount}});
    return named;
}

// 64-bit FNV-1a: enough to tell one choreography from another.
std::uint64_t Digest(std::span<const unsigned char> bytes)
{
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (const unsigned char byte : bytes) hash = (hash ^ byte) * 0x100000001B3u;
    return hash;
}

// ---------------------------------------------------------------------------
// The table
// ---------------------------------------------------------------------------

// The demo's exact choreography, pinned here and nowhere else: an edit of
// assets/tracks.txt that changes it must change these two figures too.
TEST(EmbeddedTrackTable, IsTheDemosChoreographyBySizeAndDigest)
{
    EXPECT_EQ(EmbeddedTrackTable().size(), 1718u);
    EXPECT_EQ(Digest(EmbeddedTrackTable()), 0xE0FD9C876C02A9AEu);
}

// The text, the table and the loaded records say the same thing, in both
// directions and byte for byte: names, track order, every key's row, type and
// value bits (a negative zero included).
TEST(EmbeddedTrackTable, RoundTripsThroughTheTextAndTheLoader)
{
    const std::vector<NamedTrack> text = TextTracks();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(EncodeTrackTable(text), TableBytes()) << "the table is not the text as it stands";

    EmbeddedTrackSet set = LoadEmbeddedTracks();
    ASSERT_NE(set.tracks, nullptr);
    EXPECT_EQ(Named(LoadedTracks(set)), text) << "loading lost or changed a track or key";
    EXPECT_EQ(EncodeTrackTable(Named(LoadedTracks(set))), TableBytes()) << "a loaded key differs in its bits";
    ReleaseUnattachedTracks(set);
}

// ---------------------------------------------------------------------------
// Attaching to a device
// ---------------------------------------------------------------------------

class AttachedTracks : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(embedded.Ready());
        NoTrackFiles::Use(embedded.device);
    }

    std::span<SyncTrack* const> Slots() const { return RegisteredTracks(*embedded.device); }
    std::span<const SyncTrack> Records() const { return LoadedTracks(embedded.set); }

    EmbeddedSyncDevice embedded;
};

TEST_F(AttachedTracks, SlotsReferToTheLoadedRecordsInTableOrder)
{
    ASSERT_EQ(Slots().size(), Records().size());
    for (std::size_t i = 0; i < Slots().size(); ++i) EXPECT_EQ(Slots()[i], &Records()[i]) << "slot " << i;
}

TEST_F(AttachedTracks, LookupsFindTheirSlotsWithoutGrowingOrOpeningFiles)
{
    const std::span<SyncTrack* const> before = Slots();
    for (const SyncTrack& record : Records()) EXPECT_EQ(GetTrack(embedded.device, record.name), &record) << record.name;
    EXPECT_EQ(Slots().size(), before.size());
    EXPECT_EQ(Slots().data(), before.data());
    EXPECT_TRUE(NoTrackFiles::openedPaths.empty());
}

TEST_F(AttachedTracks, NameTheSetLacksTakesTheSlotAfterIt)
{
    SyncTrack* track = GetTrack(embedded.device, "camera_fov");
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(Slots().size(), Records().size() + 1);
    EXPECT_EQ(Slots().back(), track);
    EXPECT_EQ(track->keyCount, 0);
    EXPECT_EQ(NoTrackFiles::openedPaths, std::vector<std::string>{"Quorl_camera_fov.track"});
    for (std::size_t i = 0; i < Records().size(); ++i) EXPECT_EQ(Slots()[i], &Records()[i]) << "slot " << i;
}

}  // namespace
