// Exhausted memory in the sync layer: every allocation it makes is made to fail
// in turn, and each failure must leave a null result, an unchanged device and
// no block behind. Also the teardown's release of every block, counted.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "embedded_sync_device.h"
#include "failing_heap.h"
#include "sync/embedded_tracks.h"
#include "sync/sync_device.h"
#include "track_file_fixtures.h"

#ifdef QUORL_TEST_SYNC_CONTEXT
#include "sync_context.h"
#endif

namespace {

using failing_heap::Disarm;
using failing_heap::FailNthAllocation;
using failing_heap::LiveBlocks;

// Safety stop for the sweeps: no operation here allocates this often.
constexpr long kMostAllocations = 1000;

std::FILE* NoFile(const char*, const char*) { return nullptr; }

// A track file served from memory, with no allocation of its own besides the
// stream itself, so that the sweeps reach the device's allocations alone.
struct LeanMemoryFile {
    static inline std::vector<unsigned char> contents;
    static inline int opened = 0;
    static inline int closed = 0;

    static void Serve(SyncDevice* device)
    {
        opened = 0;
        closed = 0;
        device->openFile = Open;
        device->closeFile = Close;
    }
    static std::FILE* Open(const char*, const char* mode)
    {
        std::FILE* file = fmemopen(contents.data(), contents.size(), mode);
        if (file != nullptr) ++opened;
        return file;
    }
    static int Close(std::FILE* file)
    {
        ++closed;
        return std::fclose(file);
    }
};

// ---------------------------------------------------------------------------
// Creating a device
// ---------------------------------------------------------------------------

TEST(DeviceCreationOutOfMemory, EachFailingAllocationGivesNullAndLeavesNothing)
{
    long failures = 0;
    for (long n = 1; n < kMostAllocations; ++n) {
        const long live = LiveBlocks();
        FailNthAllocation(n);
        SyncDevice* device = CreateSyncDevice("Quorl");
        if (!Disarm()) {
            ASSERT_NE(device, nullptr);
            DestroySyncDevice(device, 0);
            break;
        }
        ++failures;
        EXPECT_EQ(device, nullptr) << "allocation " << n;
        EXPECT_EQ(LiveBlocks(), live) << "allocation " << n;
    }
    EXPECT_EQ(failures, 2) << "the record and the base name";
}

// ---------------------------------------------------------------------------
// Registering a track
// ---------------------------------------------------------------------------

class TrackRegistrationOutOfMemory : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(device, nullptr);
        device->openFile = NoFile;
        for (const char* name : {"scene", "ftb", "seagull:x"}) ASSERT_NE(GetTrack(device.get(), name), nullptr);
    }

    DevicePointer device = MakeDevice();
};

TEST_F(TrackRegistrationOutOfMemory, EachFailingAllocationLeavesTheDeviceAsItWas)
{
    const std::span<SyncTrack* const> before = RegisteredTracks(*device);
    const std::vector<SyncTrack*> slots(before.begin(), before.end());
    long failures = 0;
    for (long n = 1; n < kMostAllocations; ++n) {
        const long live = LiveBlocks();
        FailNthAllocation(n);
        SyncTrack* track = GetTrack(device.get(), "camera_position:z");
        if (!Disarm()) {
            ASSERT_NE(track, nullptr);
            EXPECT_EQ(RegisteredTracks(*device).size(), slots.size() + 1);
            break;
        }
        ++failures;
        EXPECT_EQ(track, nullptr) << "allocation " << n;
        const std::span<SyncTrack* const> after = RegisteredTracks(*device);
        EXPECT_EQ(after.data(), before.data()) << "allocation " << n;
        EXPECT_EQ(std::vector<SyncTrack*>(after.begin(), after.end()), slots) << "allocation " << n;
        EXPECT_EQ(LiveBlocks(), live) << "allocation " << n;
    }
    EXPECT_EQ(failures, 3) << "the record, the name copy and the slot array";
    for (std::size_t i = 0; i < slots.size(); ++i) EXPECT_EQ(GetTrack(device.get(), slots[i]->name), slots[i]);
}

TEST_F(TrackRegistrationOutOfMemory, LookupOfARegisteredNameAllocatesNothing)
{
    SyncTrack* ftb = RegisteredTracks(*device)[1];
    FailNthAllocation(1);
    SyncTrack* found = GetTrack(device.get(), "ftb");
    EXPECT_FALSE(Disarm());
    EXPECT_EQ(found, ftb);
}

// Enough keys that the key array is allocated and then grown once.
std::vector<FileKey> ManyKeys()
{
    std::vector<FileKey> keys;
    for (std::int32_t k = 0; k < 100; ++k) keys.push_back({k * 10, static_cast<float>(k), 1});
    return keys;
}

TEST(TrackFileOutOfMemory, KeysThatCannotBeAllocatedLeaveTheTrackRegisteredAndEmpty)
{
    LeanMemoryFile::contents = TrackFileBytes(ManyKeys());
    int emptyAfterOpening = 0;
    for (long n = 1; n < kMostAllocations; ++n) {
        const long live = LiveBlocks();
        SyncDevice* device = CreateSyncDevice("Quorl");
        ASSERT_NE(device, nullptr);
        LeanMemoryFile::Serve(device);

        FailNthAllocation(n);
        SyncTrack* track = GetTrack(device, "ftb");
        const bool fired = Disarm();

        EXPECT_EQ(LeanMemoryFile::closed, LeanMemoryFile::opened) << "allocation " << n;
        if (track == nullptr) {
            EXPECT_TRUE(RegisteredTracks(*device).empty()) << "allocation " << n;
        } else {
            EXPECT_EQ(RegisteredTracks(*device).size(), 1u) << "allocation " << n;
            // A failure inside the stream may cost nothing; a failed key
            // array must leave no keys at all.
            if (track->keyCount == 0) {
                EXPECT_EQ(track->keys, nullptr) << "allocation " << n;
                if (LeanMemoryFile::opened == 1) ++emptyAfterOpening;
            } else {
                EXPECT_EQ(track->keyCount, 100) << "allocation " << n;
                EXPECT_EQ(GetTrackValue(track, 995.0), 99.0) << "allocation " << n;
            }
        }
        DestroySyncDevice(device, 0);
        EXPECT_EQ(LiveBlocks(), live) << "allocation " << n;
        if (!fired) {
            ASSERT_NE(track, nullptr);
            break;
        }
    }
    EXPECT_GE(emptyAfterOpening, 2) << "failures must reach both the first key array and its growth";
}

TEST(TrackFileOutOfMemory, HugeDeclaredCountAllocatesOnlyForTheKeysPresent)
{
    LeanMemoryFile::contents =
        TrackFileBytes(std::numeric_limits<std::int32_t>::max(), {{0, 1.0f, 1}, {4, 3.0f, 1}, {8, 7.0f, 0}});
    const DevicePointer device = MakeDevice();
    ASSERT_NE(device, nullptr);
    LeanMemoryFile::Serve(device.get());

    failing_heap::ResetLargestRequest();
    SyncTrack* track = GetTrack(device.get(), "ftb");
    const std::size_t largest = failing_heap::LargestRequest();
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->keyCount, 3);
    EXPECT_LT(largest, std::size_t{64} * 1024) << "a lying key count must not reserve memory";
}

// ---------------------------------------------------------------------------
// The embedded set
// ---------------------------------------------------------------------------

// What loading the embedded set allocates: the block of records, then for
// each track its name and, if it has keys, their array.
long LoadingAllocations()
{
    EmbeddedTrackSet set = LoadEmbeddedTracks();
    long allocations = 1;
    for (const SyncTrack& track : LoadedTracks(set)) allocations += track.keyCount > 0 ? 2 : 1;
    ReleaseUnattachedTracks(set);
    return allocations;
}

TEST(EmbeddedTracksOutOfMemory, EachFailingAllocationWhileLoadingGivesNoTracksAndLeavesNothing)
{
    long failures = 0;
    for (long n = 1; n < kMostAllocations; ++n) {
        const long live = LiveBlocks();
        FailNthAllocation(n);
        EmbeddedTrackSet set = LoadEmbeddedTracks();
        if (!Disarm()) {
            ASSERT_NE(set.tracks, nullptr);
            ReleaseUnattachedTracks(set);
            EXPECT_EQ(LiveBlocks(), live);
            break;
        }
        ++failures;
        EXPECT_EQ(set.tracks, nullptr) << "allocation " << n;
        EXPECT_EQ(set.count, 0u) << "allocation " << n;
        EXPECT_EQ(LiveBlocks(), live) << "allocation " << n;
    }
    EXPECT_EQ(failures, LoadingAllocations());
}

TEST(EmbeddedTracksOutOfMemory, FailedAttachReturnsFalseAndLeavesTheDeviceEmpty)
{
    const long live = LiveBlocks();
    SyncDevice* device = CreateSyncDevice("Quorl");
    ASSERT_NE(device, nullptr);
    EmbeddedTrackSet set = LoadEmbeddedTracks();
    ASSERT_NE(set.tracks, nullptr);

    FailNthAllocation(1);
    const bool attached = AttachEmbeddedTracks(device, set);
    EXPECT_TRUE(Disarm());
    EXPECT_FALSE(attached);
    EXPECT_TRUE(RegisteredTracks(*device).empty());

    ReleaseUnattachedTracks(set);
    DestroySyncDevice(device, 0);
    EXPECT_EQ(LiveBlocks(), live);
}

// ---------------------------------------------------------------------------
// Teardown, counted
// ---------------------------------------------------------------------------

TEST(SyncTeardownAccounting, DeviceThenEmbeddedStorageReleaseEveryBlock)
{
    LeanMemoryFile::contents = TrackFileBytes({{0, 1.5f, 1}, {10, 3.5f, 0}});
    const long live = LiveBlocks();
    {
        const EmbeddedSyncDevice embedded;
        ASSERT_TRUE(embedded.Ready());
        SyncDevice* device = embedded.device;
        LeanMemoryFile::Serve(device);
        SyncTrack* created = GetTrack(device, "camera_fov");
        ASSERT_NE(created, nullptr);
        ASSERT_EQ(created->keyCount, 2);
        device->openFile = NoFile;
        ASSERT_NE(GetTrack(device, "camera_roll"), nullptr);
    }
    EXPECT_EQ(LiveBlocks(), live);
}

TEST(SyncTeardownAccounting, UnattachedSetIsReleasedWhole)
{
    const long live = LiveBlocks();
    EmbeddedTrackSet set = LoadEmbeddedTracks();
    ASSERT_NE(set.tracks, nullptr);
    ReleaseUnattachedTracks(set);
    EXPECT_EQ(set.tracks, nullptr);
    EXPECT_EQ(LiveBlocks(), live);
}

// ---------------------------------------------------------------------------
// The driver's owner of the sync layer
// ---------------------------------------------------------------------------

#ifdef QUORL_TEST_SYNC_CONTEXT
TEST(SyncContextOutOfMemory, EachFailingAllocationThrowsRuntimeErrorAndLeavesNothing)
{
    DemoClock clock;
    long failures = 0;
    for (long n = 1; n < kMostAllocations; ++n) {
        const long live = LiveBlocks();
        bool fired = false;
        FailNthAllocation(n);
        try {
            const SyncContext context(&clock, nullptr);
            fired = Disarm();
            EXPECT_FALSE(fired) << "allocation " << n << " failed, yet the context was made";
            EXPECT_NE(FindTrack(*context.device, "seagull:z"), nullptr) << "the embedded tracks are not attached";
        } catch (const std::runtime_error& error) {
            fired = Disarm();
            ++failures;
            EXPECT_TRUE(fired) << "allocation " << n;
            EXPECT_NE(std::string(error.what()).find("Out of memory"), std::string::npos) << error.what();
        }
        EXPECT_EQ(LiveBlocks(), live) << "allocation " << n;
        if (!fired) break;
    }
    EXPECT_EQ(failures, 2 + LoadingAllocations() + 1) << "the device, the embedded set and the attached slots";
}

TEST(SyncContextOutOfMemory, BindingATrackWithoutMemoryThrowsRuntimeError)
{
    DemoClock clock;
    const SyncContext context(&clock, nullptr);
    context.device->openFile = NoFile;
    const std::size_t registered = RegisteredTracks(*context.device).size();
    const long live = LiveBlocks();
    FailNthAllocation(1);
    EXPECT_THROW(BindTrack(context, "camera_fov"), std::runtime_error);
    Disarm();
    EXPECT_EQ(RegisteredTracks(*context.device).size(), registered);
    EXPECT_EQ(LiveBlocks(), live);
}
#endif

}  // namespace
