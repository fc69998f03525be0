// The sync device: registration by name, the track-file fall-back on a real
// disk, and the encoding of names into file paths.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "key_types.h"
#include "sync/sync_device.h"
#include "track_file_fixtures.h"

namespace {

// ---------------------------------------------------------------------------
// Registration
// ---------------------------------------------------------------------------

TEST(SyncDeviceRegistry, NewDeviceHoldsEncodedBaseNameAndStandardFileFunctions)
{
    const DevicePointer device = MakeDevice("demo dir:1/Quorl");
    ASSERT_NE(device, nullptr);
    EXPECT_STREQ(device->baseName, "demo-20dir-3A1/Quorl");
    EXPECT_TRUE(RegisteredTracks(*device).empty());
    EXPECT_EQ(device->openFile, &std::fopen);
    EXPECT_EQ(device->readFile, &std::fread);
    EXPECT_EQ(device->closeFile, &std::fclose);
}

TEST(SyncDeviceRegistry, RepeatedLookupReturnsTheSameTrackAndRegistersOnce)
{
    const DevicePointer device = MakeDevice();
    NoTrackFiles::Use(device.get());

    SyncTrack* first = GetTrack(device.get(), "ftb");
    SyncTrack* again = GetTrack(device.get(), "ftb");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(again, first);
    EXPECT_EQ(RegisteredTracks(*device).size(), 1u);
    // A name once registered is never looked for on disk again.
    EXPECT_EQ(NoTrackFiles::openedPaths, std::vector<std::string>{"Quorl_ftb.track"});
}

TEST(SyncDeviceRegistry, NamesDifferingOnlyInCaseAreTwoTracks)
{
    const DevicePointer device = MakeDevice();
    NoTrackFiles::Use(device.get());

    SyncTrack* lower = GetTrack(device.get(), "seagull:x");
    SyncTrack* upper = GetTrack(device.get(), "Seagull:X");
    ASSERT_NE(lower, nullptr);
    ASSERT_NE(upper, nullptr);
    EXPECT_NE(lower, upper);
    EXPECT_EQ(RegisteredTracks(*device).size(), 2u);
    EXPECT_STREQ(lower->name, "seagull:x");
    EXPECT_STREQ(upper->name, "Seagull:X");
}

TEST(SyncDeviceRegistry, UnknownNameWithoutFileRegistersEmptyTrackInTheNextSlot)
{
    const DevicePointer device = MakeDevice();
    NoTrackFiles::Use(device.get());
    ASSERT_NE(GetTrack(device.get(), "scene"), nullptr);
    ASSERT_NE(GetTrack(device.get(), "ftb"), nullptr);
    SyncTrack* track = GetTrack(device.get(), "camera_position:x");
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(RegisteredTracks(*device).size(), 3u);
    EXPECT_EQ(RegisteredTracks(*device).back(), track);
    EXPECT_EQ(track->keyCount, 0);
    EXPECT_EQ(track->keys, nullptr);
    for (double row : {-1e300, -1.0, 0.0, 5.5, 800.0, 1e300}) EXPECT_EQ(GetTrackValue(track, row), 0.0) << row;
}

TEST(SyncDeviceRegistry, TrackKeepsItsOwnCopyOfTheName)
{
    const DevicePointer device = MakeDevice();
    NoTrackFiles::Use(device.get());
    std::string name = "camera_rotation:y";

    SyncTrack* track = GetTrack(device.get(), name.c_str());
    ASSERT_NE(track, nullptr);
    EXPECT_NE(track->name, name.c_str());
    name.assign("overwritten_name!");
    EXPECT_STREQ(track->name, "camera_rotation:y");
    EXPECT_EQ(GetTrack(device.get(), "camera_rotation:y"), track);
}

TEST(SyncDeviceRegistry, FindTrackFindsOnlyRegisteredNamesAndNeverRegisters)
{
    const DevicePointer device = MakeDevice();
    NoTrackFiles::Use(device.get());
    EXPECT_EQ(FindTrack(*device, "ftb"), nullptr) << "found in an empty device";
    SyncTrack* ftb = GetTrack(device.get(), "ftb");
    ASSERT_NE(ftb, nullptr);
    NoTrackFiles::openedPaths.clear();

    EXPECT_EQ(FindTrack(*device, "ftb"), ftb);
    EXPECT_EQ(FindTrack(*device, "FTB"), nullptr) << "names are matched byte for byte";
    EXPECT_EQ(FindTrack(*device, "scene"), nullptr);
    EXPECT_EQ(RegisteredTracks(*device).size(), 1u) << "a lookup registered a track";
    EXPECT_TRUE(NoTrackFiles::openedPaths.empty()) << "a lookup looked for a file";
}

// ---------------------------------------------------------------------------
// Track files on disk
// ---------------------------------------------------------------------------

// A fresh directory for track files, with a base name inside it.
class TrackFilesOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorl_sync_XXXXXX").string();
        // The base name is encoded on its way into the device, so the directory
        // must be made only of bytes that the encoding keeps.
        if (std::string(EncodeTrackName(pattern.c_str())) != pattern) pattern = "/tmp/quorl_sync_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory = pattern;
        baseName = (directory / "Quorl").string();
        device = MakeDevice(baseName.c_str());
        ASSERT_NE(device, nullptr);
        ASSERT_STREQ(device->baseName, baseName.c_str());
    }

    void TearDown() override
    {
        device.reset();
        std::filesystem::remove_all(directory);
    }

    void WriteFile(const std::string& fileName, const std::vector<unsigned char>& bytes) const
    {
        std::ofstream out(directory / fileName, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good());
    }

    std::filesystem::path directory;
    std::string baseName;
    DevicePointer device;
};

TEST_F(TrackFilesOnDisk, FileIsFoundUnderBaseNameAndEncodedTrackName)
{
    WriteFile("Quorl_camera_position-3Ax.track", TrackFileBytes({{0, 1.5f, kLinear}, {10, 3.5f, kStep}}));

    SyncTrack* track = GetTrack(device.get(), "camera_position:x");
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->keyCount, 2);
    EXPECT_EQ(GetTrack(device.get(), "camera_position:y")->keyCount, 0);
}

TEST_F(TrackFilesOnDisk, FourByteFileHoldingZeroGivesRegisteredTrackWithoutKeys)
{
    WriteFile("Quorl_ftb.track", {0, 0, 0, 0});

    SyncTrack* track = GetTrack(device.get(), "ftb");
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(RegisteredTracks(*device).size(), 1u);
    EXPECT_EQ(track->keyCount, 0);
    EXPECT_EQ(GetTrackValue(track, 3.0), 0.0);
}

TEST_F(TrackFilesOnDisk, EmptyFileGivesTrackWithoutKeys)
{
    WriteFile("Quorl_ftb.track", {});

    SyncTrack* track = GetTrack(device.get(), "ftb");
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->keyCount, 0);
}

TEST_F(TrackFilesOnDisk, TwoKeysAreReadInFullAndInterpolate)
{
    WriteFile("Quorl_ftb.track", TrackFileBytes({{0, 1.5f, kLinear}, {10, 3.5f, kStep}}));

    SyncTrack* track = GetTrack(device.get(), "ftb");
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(track->keyCount, 2);
    EXPECT_EQ(track->keys[0].row, 0);
    EXPECT_EQ(track->keys[0].value, 1.5f);
    EXPECT_EQ(track->keys[0].type, kLinear);
    EXPECT_EQ(track->keys[1].row, 10);
    EXPECT_EQ(track->keys[1].value, 3.5f);
    EXPECT_EQ(track->keys[1].type, kStep);
    EXPECT_EQ(GetTrackValue(track, 5.0), 2.5);
}

TEST_F(TrackFilesOnDisk, TypeByteFFBecomesMinusOneAndItsSegmentIsZero)
{
    WriteFile("Quorl_ftb.track", TrackFileBytes({{0, 4.0f, 0xFF}, {10, 8.0f, kStep}}));

    SyncTrack* track = GetTrack(device.get(), "ftb");
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(track->keyCount, 2);
    EXPECT_EQ(track->keys[0].type, -1);
    EXPECT_EQ(GetTrackValue(track, -1.0), 4.0);
    EXPECT_EQ(GetTrackValue(track, 0.0), 0.0);
    EXPECT_EQ(GetTrackValue(track, 5.0), 0.0);
    EXPECT_EQ(GetTrackValue(track, 10.0), 8.0);
}

TEST_F(TrackFilesOnDisk, BytesAfterTheLastDeclaredKeyAreIgnored)
{
    std::vector<unsigned char> bytes = TrackFileBytes(1, {{2, 7.0f, kStep}, {9, 1.0f, kStep}});
    bytes.insert(bytes.end(), {0xDE, 0xAD});
    WriteFile("Quorl_ftb.track", bytes);

    SyncTrack* track = GetTrack(device.get(), "ftb");
    ASSERT_NE(track, nullptr);
    ASSERT_EQ(track->keyCount, 1);
    EXPECT_EQ(track->keys[0].row, 2);
}

// ---------------------------------------------------------------------------
// Name encoding and paths
// ---------------------------------------------------------------------------

TEST(TrackNameEncoding, AxisColonBecomesHexEscape)
{
    EXPECT_STREQ(EncodeTrackName("camera_position:x"), "camera_position-3Ax");
    EXPECT_STREQ(EncodeTrackName("seagull:y"), "seagull-3Ay");
}

TEST(TrackNameEncoding, LettersDigitsDotSlashAndUnderscoreStayUnchanged)
{
    EXPECT_STREQ(EncodeTrackName("Quorl"), "Quorl");
    EXPECT_STREQ(EncodeTrackName("ftb"), "ftb");
    EXPECT_STREQ(EncodeTrackName("AZaz09./_"), "AZaz09./_");
}

TEST(TrackNameEncoding, EveryOtherByteBecomesDashAndTwoUpperCaseHexDigits)
{
    EXPECT_STREQ(EncodeTrackName("a b"), "a-20b");
    EXPECT_STREQ(EncodeTrackName("a-b"), "a-2Db");
    EXPECT_STREQ(EncodeTrackName("\x01\x1F\x7F"), "-01-1F-7F");
    EXPECT_STREQ(EncodeTrackName("gr\xC3\xBCn"), "gr-C3-BCn");  // UTF-8 "grün"
    EXPECT_STREQ(EncodeTrackName("\x80\xFF"), "-80-FF");
}

TEST(TrackNameEncoding, EmptyNameYieldsEmptyText)
{
    EXPECT_STREQ(EncodeTrackName("x"), "x");  // leave something in the buffer
    EXPECT_STREQ(EncodeTrackName(""), "");
}

TEST(TrackNameEncoding, LongPlainNameIsCutTo259Characters)
{
    const std::string name(300, 'a');
    EXPECT_EQ(std::string(EncodeTrackName(name.c_str())), std::string(259, 'a'));
    const std::string fits(259, 'b');
    EXPECT_EQ(std::string(EncodeTrackName(fits.c_str())), fits);
}

TEST(TrackNameEncoding, EscapeThatNoLongerFitsEndsTheName)
{
    const std::string letters257(257, 'a');
    EXPECT_EQ(std::string(EncodeTrackName((letters257 + ":").c_str())), letters257);
    // The encoding stops at the first byte that does not fit, even though the
    // letter after it would still have room.
    EXPECT_EQ(std::string(EncodeTrackName((letters257 + ":z").c_str())), letters257);
}

TEST(TrackNameEncoding, EscapeThatJustFitsIsKeptAndTheRestDropped)
{
    const std::string letters256(256, 'a');
    const std::string encoded = EncodeTrackName((letters256 + ":x").c_str());
    EXPECT_EQ(encoded, letters256 + "-3A");
    EXPECT_EQ(encoded.size(), 259u);
}

TEST(TrackPath, BaseNameUnderscoreEncodedNameAndSuffix)
{
    EXPECT_STREQ(BuildTrackPath("Quorl", "ftb"), "Quorl_ftb.track");
    EXPECT_STREQ(BuildTrackPath("Quorl", "camera_position:x"), "Quorl_camera_position-3Ax.track");
    EXPECT_STREQ(BuildTrackPath("Quorl", ""), "Quorl_.track");
}

TEST(TrackPath, BaseNameIsTakenAsItStands)
{
    // CreateSyncDevice encodes the base name; the path rule does not again.
    EXPECT_STREQ(BuildTrackPath("my dir/Quorl", "ftb"), "my dir/Quorl_ftb.track");
}

TEST(TrackPath, LongBaseNameLeavesRoomForOnlyPartOfTheName)
{
    const std::string base(250, 'b');
    const std::string name = "abcdefghijklmnopqrst";
    const std::string path = BuildTrackPath(base.c_str(), name.c_str());
    EXPECT_EQ(path, base + "_abcdefgh");
    EXPECT_EQ(path.size(), 259u);
}

TEST(TrackPath, EveryPieceIsCutToTheRoomLeft)
{
    EXPECT_EQ(std::string(BuildTrackPath(std::string(300, 'b').c_str(), "ftb")), std::string(259, 'b'));
    EXPECT_EQ(std::string(BuildTrackPath(std::string(258, 'b').c_str(), "ftb")), std::string(258, 'b') + "_");
    EXPECT_EQ(std::string(BuildTrackPath(std::string(254, 'b').c_str(), "ab")), std::string(254, 'b') + "_ab.t");
    EXPECT_EQ(std::string(BuildTrackPath("Quorl", std::string(300, 'n').c_str())), "Quorl_" + std::string(253, 'n'));
}

TEST(TrackPath, EncodingOfTheNameDoesNotDisturbThePath)
{
    // The path and the encoding have buffers of their own.
    const char* path = BuildTrackPath("Quorl", "seagull:z");
    EncodeTrackName("something else");
    EXPECT_STREQ(path, "Quorl_seagull-3Az.track");
}

}  // namespace
