// Writing the master out: the WAV for listening and the reproducible Ogg
// Vorbis stream.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>

#include "mastering/ogg_vorbis_encoder.h"
#include "stereo_buffer.h"

namespace {

std::uint32_t ReadLittleEndian(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)])) << (8 * i);
    return value;
}

// Half a second at a rate other than the music's, so that a header that wrote
// the music's rate instead of the buffer's would show.
constexpr int kToneRate = 44100;

StereoBuffer ShortTone()
{
    StereoBuffer audio(kToneRate / 2, kToneRate);
    for (std::size_t i = 0; i < audio.Frames(); ++i) {
        audio.left[i] = static_cast<float>(0.5 * std::sin(2.0 * std::numbers::pi * 440.0 * static_cast<double>(i) / kToneRate));
        audio.right[i] = -audio.left[i];
    }
    return audio;
}

TEST(WavFile, HeaderDescribes16BitStereoAtTheBuffersRate)
{
    const std::string wav = EncodeWav(ShortTone());
    ASSERT_EQ(wav.size(), 44u + kToneRate / 2 * 4u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(ReadLittleEndian(wav, 4, 4), wav.size() - 8);
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(ReadLittleEndian(wav, 22, 2), 2u) << "channels";
    EXPECT_EQ(ReadLittleEndian(wav, 24, 4), static_cast<std::uint32_t>(kToneRate)) << "sample rate";
    EXPECT_EQ(ReadLittleEndian(wav, 34, 2), 16u) << "bits per sample";
    EXPECT_EQ(wav.substr(36, 4), "data");
    EXPECT_EQ(ReadLittleEndian(wav, 40, 4), kToneRate / 2 * 4u);
}

TEST(WavFile, SamplesAreInterleavedAndClippedAtFullScale)
{
    StereoBuffer audio(2);
    audio.left = {0.5f, 2.0f};
    audio.right = {-0.5f, -2.0f};
    const std::string wav = EncodeWav(audio);
    EXPECT_EQ(static_cast<std::int16_t>(ReadLittleEndian(wav, 44, 2)), 16384);
    EXPECT_EQ(static_cast<std::int16_t>(ReadLittleEndian(wav, 46, 2)), -16384);
    EXPECT_EQ(static_cast<std::int16_t>(ReadLittleEndian(wav, 48, 2)), 32767);
    EXPECT_EQ(static_cast<std::int16_t>(ReadLittleEndian(wav, 50, 2)), -32767);
}

TEST(OggVorbisStream, SameSamplesGiveTheSameBytes)
{
    const std::string first = EncodeOggVorbis(ShortTone(), 0.5f);
    const std::string second = EncodeOggVorbis(ShortTone(), 0.5f);
    ASSERT_GT(first.size(), 1000u);
    EXPECT_EQ(first.substr(0, 4), "OggS");
    EXPECT_EQ(first, second);
}

TEST(OggVorbisStream, QualityOutsideTheEncodersRangeIsRejected)
{
    EXPECT_THROW(EncodeOggVorbis(ShortTone(), 1.5f), std::invalid_argument);
    EXPECT_THROW(EncodeOggVorbis(ShortTone(), -0.2f), std::invalid_argument);
}

TEST(OggVorbisStream, SampleRateTheEncoderCannotHandleIsRejected)
{
    StereoBuffer tone = ShortTone();
    tone.sampleRate = 400000;
    EXPECT_THROW(EncodeOggVorbis(tone, 0.5f), std::runtime_error);
}

}  // namespace
