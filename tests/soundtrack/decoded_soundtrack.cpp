#include "decoded_soundtrack.h"

#include <raylib.h>

#include "embedded_assets.h"

namespace {

DecodedSoundtrack Decode()
{
    SetTraceLogLevel(LOG_WARNING);
    Wave wave = LoadWaveFromMemory(".ogg", MUSIC_OGG, static_cast<int>(MUSIC_OGG_SIZE));
    DecodedSoundtrack decoded;
    decoded.sampleRate = static_cast<int>(wave.sampleRate);
    decoded.channels = static_cast<int>(wave.channels);
    decoded.bitsPerSample = static_cast<int>(wave.sampleSize);
    if (wave.data != nullptr && wave.channels == 2 && wave.sampleSize == 16) {
        const auto* samples = static_cast<const short*>(wave.data);
        decoded.audio = StereoBuffer(wave.frameCount, decoded.sampleRate);
        for (std::size_t i = 0; i < wave.frameCount; ++i) {
            decoded.audio.left[i] = static_cast<float>(samples[2 * i]) / 32768.0f;
            decoded.audio.right[i] = static_cast<float>(samples[2 * i + 1]) / 32768.0f;
        }
    }
    UnloadWave(wave);
    return decoded;
}

}  // namespace

const DecodedSoundtrack& EmbeddedSoundtrack()
{
    static const DecodedSoundtrack decoded = Decode();
    return decoded;
}
