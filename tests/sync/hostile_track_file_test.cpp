// Track files that lie about themselves: counts that are negative or far larger
// than the file, records cut short, rows out of order, rows at the ends of the
// 32-bit range. Each case once corrupted memory or the key order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "key_types.h"
#include "sync/sync_device.h"
#include "track_file_fixtures.h"

namespace {

constexpr std::int32_t kMinRow = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxRow = std::numeric_limits<std::int32_t>::max();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

class HostileTrackFile : public ::testing::Test {
protected:
    // The track that the device makes of the given file contents.
    const SyncTrack* Read(std::vector<unsigned char> bytes)
    {
        MemoryTrackFile::Serve(device.get(), std::move(bytes));
        const SyncTrack* track = GetTrack(device.get(), "hostile");
        EXPECT_EQ(MemoryTrackFile::openedPaths.size(), 1u);
        EXPECT_EQ(MemoryTrackFile::closeCount, 1) << "the file must be closed exactly once";
        return track;
    }

    static void ExpectStrictlyAscending(const SyncTrack* track)
    {
        for (std::int32_t k = 1; k < track->keyCount; ++k) {
            EXPECT_LT(track->keys[k - 1].row, track->keys[k].row) << "keys " << k - 1 << " and " << k;
        }
    }

    DevicePointer device = MakeDevice();
};

std::vector<FileKey> AscendingKeys(std::int32_t count)
{
    std::vector<FileKey> keys;
    for (std::int32_t k = 0; k < count; ++k) keys.push_back({k * 3, static_cast<float>(k) * 0.5f, kLinear});
    return keys;
}

TEST_F(HostileTrackFile, NegativeKeyCountGivesEmptyTrack)
{
    for (std::int32_t count : {-1, -2, kMinRow}) {
        const SyncTrack* track = Read(TrackFileBytes(count, {{0, 1.0f, kStep}, {1, 2.0f, kStep}}));
        ASSERT_NE(track, nullptr);
        EXPECT_EQ(track->keyCount, 0) << count;
        EXPECT_EQ(GetTrackValue(track, 0.0), 0.0);
        device = MakeDevice();
    }
}

TEST_F(HostileTrackFile, HugeKeyCountKeepsJustTheKeysPresent)
{
    const SyncTrack* track = Read(TrackFileBytes(kMaxRow, {{0, 1.0f, kLinear}, {4, 3.0f, kLinear}, {8, 7.0f, kStep}}));
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(track->keyCount, 3);
    EXPECT_EQ(track->keys[2].row, 8);
    EXPECT_EQ(track->keys[2].value, 7.0f);
    EXPECT_EQ(GetTrackValue(track, 2.0), 2.0);
    EXPECT_EQ(GetTrackValue(track, 100.0), 7.0);
}

TEST_F(HostileTrackFile, OverstatedCountKeepsEveryKeyAcrossArrayGrowth)
{
    // Enough keys that the array has to grow several times on the way.
    const std::vector<FileKey> keys = AscendingKeys(300);
    const SyncTrack* track = Read(TrackFileBytes(100000, keys));
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(track->keyCount, 300);
    for (std::int32_t k = 0; k < 300; ++k) {
        const auto index = static_cast<std::size_t>(k);
        EXPECT_EQ(track->keys[k].row, keys[index].row);
        EXPECT_EQ(track->keys[k].value, keys[index].value);
    }
}

TEST_F(HostileTrackFile, TruncatedRecordsKeepOnlyKeysReadInFull)
{
    const std::vector<unsigned char> whole = TrackFileBytes(AscendingKeys(3));
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const SyncTrack* track = Read({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)});
        ASSERT_NE(track, nullptr);
        const auto complete = size < 4 ? 0 : static_cast<std::int32_t>((size - 4) / 9);
        ASSERT_EQ(track->keyCount, complete) << size << " bytes";
        for (std::int32_t k = 0; k < complete; ++k) {
            EXPECT_EQ(track->keys[k].row, k * 3) << size << " bytes";
            EXPECT_EQ(track->keys[k].value, static_cast<float>(k) * 0.5f) << size << " bytes";
            EXPECT_EQ(track->keys[k].type, kLinear) << size << " bytes";
        }
        device = MakeDevice();
    }
}

TEST_F(HostileTrackFile, RowsThatDoNotAscendAreDropped)
{
    const SyncTrack* track = Read(TrackFileBytes({{0, 1.0f, kStep},
                                                  {10, 2.0f, kStep},
                                                  {5, 9.0f, kStep},
                                                  {10, 9.0f, kStep},
                                                  {20, 3.0f, kStep},
                                                  {-3, 9.0f, kStep},
                                                  {kMinRow, 9.0f, kStep},
                                                  {30, 4.0f, kStep}}));
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(track->keyCount, 4);
    ExpectStrictlyAscending(track);
    const std::int32_t rows[] = {0, 10, 20, 30};
    for (std::int32_t k = 0; k < 4; ++k) {
        EXPECT_EQ(track->keys[k].row, rows[k]);
        EXPECT_EQ(track->keys[k].value, static_cast<float>(k + 1));
    }
}

TEST_F(HostileTrackFile, RepeatedRowKeepsTheFirstKey)
{
    const SyncTrack* track = Read(TrackFileBytes({{7, 1.0f, kLinear}, {7, 2.0f, kStep}, {7, 3.0f, kStep}}));
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(track->keyCount, 1);
    EXPECT_EQ(track->keys[0].value, 1.0f);
    EXPECT_EQ(track->keys[0].type, kLinear);
}

TEST_F(HostileTrackFile, EveryTypeByteIsWidenedWithItsSign)
{
    std::vector<FileKey> keys;
    for (int byte = 0; byte < 256; ++byte) keys.push_back({byte, 1.0f, static_cast<std::uint8_t>(byte)});
    const SyncTrack* track = Read(TrackFileBytes(keys));
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(track->keyCount, 256);
    for (std::int32_t k = 0; k < 256; ++k) EXPECT_EQ(track->keys[k].type, k < 128 ? k : k - 256);
}

TEST_F(HostileTrackFile, KeysAtThe32BitExtremesEvaluateAtAnyRow)
{
    const SyncTrack* track = Read(TrackFileBytes({{kMinRow, -1.0f, kLinear}, {0, 0.0f, 2}, {kMaxRow, 1.0f, kLinear}}));
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(track->keyCount, 3);
    for (double row : {-1e300, -kInfinity, std::nan(""), static_cast<double>(kMinRow)}) {
        EXPECT_EQ(GetTrackValue(track, row), -1.0) << row;
    }
    for (double row : {1e300, kInfinity, static_cast<double>(kMaxRow)}) EXPECT_EQ(GetTrackValue(track, row), 1.0) << row;
    EXPECT_NEAR(GetTrackValue(track, -1073741824.0), -0.5, 1e-9);
    EXPECT_NEAR(GetTrackValue(track, 1073741823.5), 0.5, 1e-9);
}

}  // namespace
