// Exhausted memory while replacing a device's track keys: each allocation that
// fails must leave every track with its old keys and no block behind.
#include <gtest/gtest.h>

#include <vector>

#include "failing_heap.h"
#include "sync/sync_device.h"
#include "sync/track_replacement.h"
#include "track_file_fixtures.h"

namespace {

using failing_heap::Disarm;
using failing_heap::FailNthAllocation;
using failing_heap::LiveBlocks;

std::FILE* NoFile(const char*, const char*) { return nullptr; }

std::vector<TrackKey> KeysOf(const SyncTrack* track)
{
    return {track->keys, track->keys + track->keyCount};
}

TEST(TrackReplacementOutOfMemory, EachFailingAllocationLeavesEveryTrackAsItWas)
{
    const DevicePointer device = MakeDevice();
    ASSERT_NE(device, nullptr);
    device->openFile = NoFile;
    for (const char* name : {"scene", "ftb", "seagull:x"}) ASSERT_NE(GetTrack(device.get(), name), nullptr);
    ASSERT_TRUE(ReplaceTrackKeys(device.get(), std::vector<NamedTrack>{
                                                   {"scene", {{0, 0.1f, 0}, {800, 1.0f, 0}}},
                                                   {"ftb", {{0, 1.0f, 1}, {32, 0.0f, 0}}},
                                               }));
    std::vector<std::vector<TrackKey>> before;
    for (const SyncTrack* track : RegisteredTracks(*device)) before.push_back(KeysOf(track));

    const std::vector<NamedTrack> edited = {
        {"scene", {{0, 0.1f, 0}, {400, 1.0f, 0}}},
        {"ftb", {{0, 0.5f, 0}}},
        {"seagull:x", {{0, 2.0f, 1}, {10, 4.0f, 0}}},
    };
    long failures = 0;
    for (long n = 1; n < 100; ++n) {
        const long live = LiveBlocks();
        FailNthAllocation(n);
        const bool replaced = ReplaceTrackKeys(device.get(), edited);
        if (!Disarm()) {
            ASSERT_TRUE(replaced);
            for (std::size_t i = 0; i < edited.size(); ++i) {
                EXPECT_EQ(KeysOf(RegisteredTracks(*device)[i]), edited[i].keys);
            }
            break;
        }
        ++failures;
        EXPECT_FALSE(replaced) << "allocation " << n;
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(KeysOf(RegisteredTracks(*device)[i]), before[i]) << "allocation " << n << ", track " << i;
        }
        EXPECT_EQ(LiveBlocks(), live) << "allocation " << n;
    }
    EXPECT_EQ(failures, 4) << "the table of new arrays and one key array per track";
}

}  // namespace
