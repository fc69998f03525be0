// The containers that quorl-capture writes: which names it takes, and which
// files it would commit as the video that ffmpeg says it has written.
#include <gtest/gtest.h>

#include <span>
#include <string_view>

#include "video_container.h"

namespace {

std::span<const unsigned char> Bytes(std::string_view text)
{
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

TEST(VideoContainer, TakesOnlyNamesWithAStemAndAKnownExtension)
{
    EXPECT_EQ(FindVideoContainer("a.mp4")->format, "mp4");
    EXPECT_EQ(FindVideoContainer("pipe:1.mkv")->format, "matroska");
    EXPECT_EQ(FindVideoContainer("clip.webm")->format, "webm");
    for (const std::string_view name : {".mp4", "mp4", "a.mp4.partial", "a.gif", ""}) {
        EXPECT_EQ(FindVideoContainer(name), nullptr) << name;
    }
}

// The first bytes of what ffmpeg writes for each container.
TEST(VideoContainer, RecognizesWhatFfmpegWritesAndNothingEmptyOrForeign)
{
    using namespace std::string_view_literals;
    const std::string_view mp4 = "\0\0\0\x20" "ftypisom\0\0\x02\0"sv;
    const std::string_view matroska = "\x1a\x45\xdf\xa3\x9f\x42\x86\x81\x01"sv;
    const VideoContainer& mp4File = *FindVideoContainer("a.mp4");
    const VideoContainer& mkvFile = *FindVideoContainer("a.mkv");
    const VideoContainer& webmFile = *FindVideoContainer("a.webm");
    EXPECT_TRUE(mp4File.Recognizes(Bytes(mp4)));
    EXPECT_TRUE(mkvFile.Recognizes(Bytes(matroska)));
    EXPECT_TRUE(webmFile.Recognizes(Bytes(matroska)));
    EXPECT_FALSE(mp4File.Recognizes(Bytes(matroska)));
    EXPECT_FALSE(mkvFile.Recognizes(Bytes(mp4)));
    for (const VideoContainer* container : {&mp4File, &mkvFile, &webmFile}) {
        EXPECT_FALSE(container->Recognizes({})) << container->extension;
        EXPECT_FALSE(container->Recognizes(Bytes("garbage, not a video"))) << container->extension;
        EXPECT_FALSE(container->Recognizes(Bytes(mp4.substr(0, 7)))) << container->extension;
    }
}

}  // namespace
