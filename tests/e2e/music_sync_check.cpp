// How far the demo's picture is from its music: the clock reading of every
// frame it presented (tests/e2e/frame_clock_probe.c) against the music that
// the harness's sound device took at that moment (scripts/headless.sh --audio
// record:FILE, which notes when it took each block).
//
//   quorl_music_sync_check RECORDING FRAMES LIMIT [PAUSE]
//
// Prints the offset (the picture's clock minus the music heard; positive: the
// picture is ahead; the harness's pipe, which no sound card has, aside) at the
// first frame, over the first second of frames, over the last second before
// the end and, with PAUSE, over the second of frames after the music went on
// from a pause (the window minimised). Each
// but the first frame's is the median of its frames: a frame's own reading
// is blurred by the sound device's blocks. Exits 0 when those medians are
// within LIMIT seconds, 1 otherwise or when the recording is not the music.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <utility>
#include <optional>
#include <string>
#include <vector>

#include "decoded_soundtrack.h"
#include "music_following.h"

namespace {

// When the device took a block of the recording, and the sound then waiting
// in the harness's pipe: given, not yet heard, a delay that no sound card has
// and the demo cannot know of.
struct TakenBlock {
    double wallSeconds;
    std::size_t firstFrame;
    std::size_t frames;
    double waitingSeconds;
};

struct Frame {
    double wallSeconds;
    double clock;
};

std::vector<std::int16_t> ReadRecording(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(bytes.size() / 4 * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 * i]);
        const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
    }
    return samples;
}

// The harness's card: a line per period, the wall-clock time, the first and
// the last frame and the bytes waiting in its pipe.
std::vector<TakenBlock> ReadTakenBlocks(const char* path, int rate)
{
    std::ifstream file(path);
    std::vector<TakenBlock> blocks;
    double wall = 0.0;
    std::size_t first = 0;
    std::size_t last = 0;
    double waiting = 0.0;
    while (file >> wall >> first >> last >> waiting) {
        blocks.push_back({wall, first, last + 1 - first, waiting / 4.0 / rate});
    }
    return blocks;
}

std::vector<Frame> ReadFrames(const char* path)
{
    std::ifstream file(path);
    std::vector<Frame> frames;
    for (Frame frame{}; file >> frame.wallSeconds >> frame.clock;) {
        if (frame.clock >= 0.0) frames.push_back(frame);
    }
    return frames;
}

// The block being taken at a wall-clock time, and its frame then.
std::optional<std::pair<TakenBlock, double>> TakenAt(const std::vector<TakenBlock>& blocks, double wall, int rate)
{
    const auto next = std::upper_bound(blocks.begin(), blocks.end(), wall,
                                       [](double time, const TakenBlock& block) { return time < block.wallSeconds; });
    if (next == blocks.begin() || next == blocks.end()) return std::nullopt;
    const TakenBlock& block = *(next - 1);
    const double into = std::min((wall - block.wallSeconds) * rate, static_cast<double>(block.frames));
    return std::pair{block, static_cast<double>(block.firstFrame) + into};
}

// The music's position at a frame of the recording: within a stretch, or in
// the silence before the first one, counted back from its start; none in a pause.
std::optional<double> MusicAt(const std::vector<MusicStretch>& stretches, double frame, int rate)
{
    if (frame < static_cast<double>(stretches.front().recordingFrame)) {
        return (static_cast<double>(stretches.front().musicFrame) + frame -
                static_cast<double>(stretches.front().recordingFrame)) / rate;
    }
    for (const MusicStretch& stretch : stretches) {
        const double into = frame - static_cast<double>(stretch.recordingFrame);
        if (into >= 0.0 && into <= static_cast<double>(stretch.frames)) {
            return (static_cast<double>(stretch.musicFrame) + into) / rate;
        }
    }
    return std::nullopt;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? NAN : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: quorl_music_sync_check RECORDING FRAMES LIMIT [PAUSE]\n");
        return 2;
    }
    const std::string recordingPath = argv[1];
    const double limit = std::atof(argv[3]);
    const bool paused = argc == 5;

    const DecodedSoundtrack& music = EmbeddedSoundtrack();
    const int rate = music.sampleRate;
    const std::vector<std::int16_t> recording = ReadRecording(recordingPath.c_str());
    const std::vector<MusicStretch> stretches = FollowPausedMusic(music.audio, recording);
    const std::vector<TakenBlock> blocks = ReadTakenBlocks((recordingPath + ".taken").c_str(), rate);
    const std::vector<Frame> frames = ReadFrames(argv[2]);
    if (stretches.empty() || blocks.empty() || frames.empty()) {
        std::fprintf(stderr, "sync check: %zu stretches of the music, %zu blocks taken, %zu frames\n", stretches.size(),
                     blocks.size(), frames.size());
        return 1;
    }
    if (paused && stretches.size() < 2) {
        std::fprintf(stderr, "sync check: the music never paused\n");
        return 1;
    }

    // Each frame's offset, with the music's position heard then.
    std::vector<Frame> offsets;
    for (const Frame& frame : frames) {
        const auto at = TakenAt(blocks, frame.wallSeconds, rate);
        const std::optional<double> heard = at ? MusicAt(stretches, at->second, rate) : std::nullopt;
        if (!heard) continue;
        // What a card without the pipe would play; before the music, the
        // first frame's clock (0) is in step.
        const double played = std::max(*heard + at->first.waitingSeconds, 0.0);
        offsets.push_back({frame.wallSeconds, frame.clock - played});
    }
    if (offsets.empty()) {
        std::fprintf(stderr,
                     "sync check: no frame was shown while the music was taken (frames %.3f to %.3f, the sound "
                     "taken %.3f to %.3f)\n",
                     frames.front().wallSeconds, frames.back().wallSeconds, blocks.front().wallSeconds,
                     blocks.back().wallSeconds);
        return 1;
    }
    const auto within = [&](double from, double to) {
        std::vector<double> values;
        for (const Frame& offset : offsets) {
            if (offset.wallSeconds >= from && offset.wallSeconds < to) values.push_back(offset.clock);
        }
        return Median(values);
    };
    const double first = offsets.front().wallSeconds;
    const double last = offsets.back().wallSeconds;
    struct Reading {
        const char* what;
        double offset;
    };
    std::vector<Reading> readings = {{"first second", within(first, first + 1.0)},
                                     {"last second", within(last - 1.0, last + 1e-3)}};
    if (paused) {
        // The wall time at which the music went on after its longest pause
        // (a loaded machine may starve the sound for a moment, too).
        const auto pause = [&](std::size_t i) {
            return stretches[i].recordingFrame - stretches[i - 1].recordingFrame - stretches[i - 1].frames;
        };
        std::size_t longest = 1;
        for (std::size_t i = 2; i < stretches.size(); ++i) {
            if (pause(i) > pause(longest)) longest = i;
        }
        const MusicStretch& after = stretches[longest];
        const auto resumed = std::find_if(blocks.begin(), blocks.end(), [&](const TakenBlock& block) {
            return block.firstFrame + block.frames > after.recordingFrame;
        });
        const double from = resumed == blocks.end() ? last : resumed->wallSeconds;
        readings.push_back({"second after the pause", within(from, from + 1.0)});
    }
    std::printf("sync check: picture ahead of the music by %+.3f s at the first frame", offsets.front().clock);
    bool inStep = true;
    for (const Reading& reading : readings) {
        std::printf(", %+.3f s over the %s", reading.offset, reading.what);
        inStep = inStep && std::fabs(reading.offset) <= limit;
    }
    std::printf(" (%zu frames; the music in %zu stretches; what waited in the harness's pipe aside)\n",
                offsets.size(), stretches.size());
    return inStep ? 0 : 1;
}
