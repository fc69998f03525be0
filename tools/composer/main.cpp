// quorl-composer: writes the demo's soundtrack.
//
//   quorl-composer --ogg OUT.ogg [--wav OUT.wav]
//
// For now the piece is a click on every beat at 175 BPM, accented on the bar,
// 832 rows long.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>

#include "ogg_vorbis_encoder.h"
#include "stereo_buffer.h"

namespace {

constexpr double kSecondsPerRow = 3.0 / 35.0;
constexpr int kRows = 832;

StereoBuffer ComposeClickTrack()
{
    StereoBuffer audio;
    const auto frames = static_cast<std::size_t>(std::lround(kRows * kSecondsPerRow * audio.sampleRate));
    audio.left.assign(frames, 0.0f);
    audio.right.assign(frames, 0.0f);
    const double clickSeconds = 0.03;
    for (int row = 0; row < kRows; row += 4) {
        const bool barStart = row % 16 == 0;
        const double pitch = barStart ? 1760.0 : 880.0;
        const auto first = static_cast<std::size_t>(std::lround(row * kSecondsPerRow * audio.sampleRate));
        const auto length = static_cast<std::size_t>(clickSeconds * audio.sampleRate);
        for (std::size_t i = 0; i < length && first + i < frames; ++i) {
            const double t = static_cast<double>(i) / audio.sampleRate;
            const double envelope = std::exp(-t / 0.008);
            const auto sample = static_cast<float>(0.5 * envelope * std::sin(2.0 * std::numbers::pi * pitch * t));
            audio.left[first + i] = sample;
            audio.right[first + i] = sample;
        }
    }
    return audio;
}

bool WriteAtomically(const std::string& path, const std::string& bytes)
{
    const std::string partial = path + ".partial";
    std::ofstream out(partial, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out && std::rename(partial.c_str(), path.c_str()) == 0) return true;
    std::remove(partial.c_str());
    std::cerr << "quorl-composer: cannot write " << path << "\n";
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string oggPath;
    std::string wavPath;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if ((option == "--ogg" || option == "--wav") && i + 1 < argc) {
            (option == "--ogg" ? oggPath : wavPath) = argv[++i];
        } else {
            std::cerr << "usage: quorl-composer --ogg OUT.ogg [--wav OUT.wav]\n";
            return 2;
        }
    }
    if (oggPath.empty()) {
        std::cerr << "usage: quorl-composer --ogg OUT.ogg [--wav OUT.wav]\n";
        return 2;
    }

    const StereoBuffer audio = ComposeClickTrack();
    if (!WriteAtomically(oggPath, EncodeOggVorbis(audio, 0.5f))) return 1;
    if (!wavPath.empty() && !WriteAtomically(wavPath, EncodeWav(audio))) return 1;
    return 0;
}
