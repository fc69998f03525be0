// quorl-spectrum: draws the spectral balance of a piece of music.
//
//   quorl-spectrum IN.ogg|IN.wav OUT.svg [--title TEXT]
//
// raylib decodes the input, as it decodes the demo's music; the picture
// (spectrum_picture.h) is written under a temporary name and renamed into
// place. The README's pictures of the soundtrack are drawn with it.
#include <raylib.h>

#include <exception>
#include <iostream>
#include <string>

#include "pending_file.h"
#include "text/quoted_text.h"
#include "spectrum_picture.h"

namespace {

int Usage()
{
    std::cerr << "usage: quorl-spectrum IN.ogg|IN.wav OUT.svg [--title TEXT]\n";
    return 2;
}

// Both channels as floats; a mono input plays in both. Empty if it cannot be read.
StereoBuffer Decode(const std::string& path)
{
    SetTraceLogLevel(LOG_WARNING);
    Wave wave = LoadWave(path.c_str());
    StereoBuffer audio;
    if (wave.data != nullptr) {
        WaveFormat(&wave, static_cast<int>(wave.sampleRate), 32, 2);
        const auto* samples = static_cast<const float*>(wave.data);
        audio = StereoBuffer(wave.frameCount, static_cast<int>(wave.sampleRate));
        for (std::size_t i = 0; i < wave.frameCount; ++i) {
            audio.left[i] = samples[2 * i];
            audio.right[i] = samples[2 * i + 1];
        }
    }
    UnloadWave(wave);
    return audio;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string inPath, outPath, title;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--title" && i + 1 < argc) title = argv[++i];
        else if (inPath.empty()) inPath = argument;
        else if (outPath.empty()) outPath = argument;
        else return Usage();
    }
    if (outPath.empty()) return Usage();
    LetWritesPastTheSizeLimitFail();
    const StereoBuffer audio = Decode(inPath);
    if (audio.Frames() == 0) {
        std::cerr << "quorl-spectrum: " << Quoted(inPath) << " is not audio raylib can decode\n";
        return 1;
    }
    const std::string svg = DrawSpectrumPicture(audio, title.empty() ? inPath : title);
    try {
        PendingFile(outPath).Commit({reinterpret_cast<const unsigned char*>(svg.data()), svg.size()});
    } catch (const std::exception& error) {
        std::cerr << "quorl-spectrum: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
