// quorl-composer: writes the demo's soundtrack.
//
//   quorl-composer --ogg OUT.ogg [--wav OUT.wav]
//
// OUT.ogg is the Ogg Vorbis stream that the build embeds in the demo; the WAV,
// if asked for, holds the same master uncompressed, for listening. Each file
// is written under a temporary name and renamed into place, so an interrupted
// run never leaves a partial file behind. One line on standard output sums up
// what was written: length, loudness and peak of the master, size of the stream.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "mastering/loudness_meter.h"
#include "mastering/true_peak.h"
#include "pending_file.h"
#include "soundtrack.h"

namespace {

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    try {
        PendingFile(path).Commit({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()});
        return true;
    } catch (const std::exception& error) {
        std::cerr << "quorl-composer: " << error.what() << "\n";
        return false;
    }
}

int Usage()
{
    std::cerr << "usage: quorl-composer --ogg OUT.ogg [--wav OUT.wav]\n";
    return 2;
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
            return Usage();
        }
    }
    if (oggPath.empty()) return Usage();
    LetWritesPastTheSizeLimitFail();

    const StereoBuffer soundtrack = RenderSoundtrack();
    const std::string stream = EncodeSoundtrack(soundtrack);
    if (!WriteWholeFile(oggPath, stream)) return 1;
    if (!wavPath.empty() && !WriteWholeFile(wavPath, EncodeWav(soundtrack))) return 1;
    std::printf("quorl-composer: %s: %.3f s, %.1f LUFS, true peak %.1f dBTP before encoding, %zu bytes\n",
                oggPath.c_str(), static_cast<double>(soundtrack.Frames()) / soundtrack.sampleRate,
                IntegratedLoudness(soundtrack), ToDecibels(TruePeak(soundtrack)), stream.size());
    return 0;
}
