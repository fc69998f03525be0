#include "stereo_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

std::int16_t ToPcm16(float sample)
{
    return static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

}  // namespace

std::string EncodeWav(const StereoBuffer& audio)
{
    constexpr std::uint32_t kChannels = 2;
    constexpr std::uint32_t kBytesPerSample = 2;
    const auto rate = static_cast<std::uint32_t>(audio.sampleRate);
    const auto dataSize = static_cast<std::uint32_t>(audio.Frames() * kChannels * kBytesPerSample);

    std::string out = "RIFF";
    PutLittleEndian(out, 36 + dataSize, 4);
    out += "WAVEfmt ";
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);  // integer PCM
    PutLittleEndian(out, kChannels, 2);
    PutLittleEndian(out, rate, 4);
    PutLittleEndian(out, rate * kChannels * kBytesPerSample, 4);
    PutLittleEndian(out, kChannels * kBytesPerSample, 2);
    PutLittleEndian(out, 8 * kBytesPerSample, 2);
    out += "data";
    PutLittleEndian(out, dataSize, 4);
    for (std::size_t i = 0; i < audio.Frames(); ++i) {
        PutLittleEndian(out, static_cast<std::uint16_t>(ToPcm16(audio.left[i])), 2);
        PutLittleEndian(out, static_cast<std::uint16_t>(ToPcm16(audio.right[i])), 2);
    }
    return out;
}
