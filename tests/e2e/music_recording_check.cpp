// Follows the recording that the headless harness's sound device writes while
// the demo plays (scripts/headless.sh --audio record:FILE) and checks that it
// is the embedded music, decoded as the demo decodes it, from its start, in
// order and without a break.
//
//   quorl_music_recording_check RECORDING SECONDS LIMIT
//
// Reads RECORDING as it grows until it follows the music for SECONDS, until it
// shows a fault, until it holds LIMIT seconds, or until it stops growing. Exits
// 0 when it followed the music for SECONDS; otherwise 1, with one line saying why.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "decoded_soundtrack.h"
#include "music_following.h"
#include "music_format.h"

namespace {

// The harness's recording format: 16-bit stereo at the music's rate (the
// harness's own copy of the rate is tied to this one by a test).
constexpr int kRecordingRate = kMusicSampleRate;
constexpr int kBytesPerFrame = 4;
// The demo opens its sound device once its window is up; a device that has
// taken nothing for a while has been closed.
constexpr double kAppearSeconds = 60.0;
constexpr double kStallSeconds = 5.0;
constexpr auto kPoll = std::chrono::milliseconds(250);

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int Fail(const std::string& line)
{
    std::fprintf(stderr, "music check: %s\n", line.c_str());
    return 1;
}

std::FILE* OpenWhenItAppears(const char* path)
{
    const Clock::time_point start = Clock::now();
    while (SecondsSince(start) < kAppearSeconds) {
        if (std::FILE* file = std::fopen(path, "rb")) return file;
        std::this_thread::sleep_for(kPoll);
    }
    return nullptr;
}

// Appends the whole frames the file holds beyond what was read; true if any.
bool ReadMore(std::FILE* file, std::vector<std::int16_t>& samples)
{
    std::clearerr(file);
    std::vector<std::int16_t> chunk(kRecordingRate * 2);
    bool grew = false;
    while (true) {
        const long at = std::ftell(file);
        const std::size_t frames = std::fread(chunk.data(), kBytesPerFrame, chunk.size() / 2, file);
        if (frames == 0) {
            std::fseek(file, at, SEEK_SET);  // a frame written in part is read again later
            return grew;
        }
        samples.insert(samples.end(), chunk.begin(), chunk.begin() + static_cast<long>(frames * 2));
        grew = true;
    }
}

std::string Summary(const MusicFollowing& followed)
{
    char text[160];
    std::snprintf(text, sizeof text, "%.2f s of silence, then %.2f s of the music from its start without a break",
                  followed.leadingSeconds, followed.musicSeconds);
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: quorl_music_recording_check RECORDING SECONDS LIMIT\n");
        return 2;
    }
    const char* path = argv[1];
    const double seconds = std::atof(argv[2]);
    const double limit = std::atof(argv[3]);

    const DecodedSoundtrack& music = EmbeddedSoundtrack();
    if (music.audio.Frames() == 0 || music.sampleRate != kRecordingRate)
        return Fail("the embedded music is not 16-bit stereo at " + std::to_string(kRecordingRate) +
                    " Hz, the recording's format");

    std::FILE* file = OpenWhenItAppears(path);
    if (file == nullptr) return Fail("no recording appeared at " + std::string(path));

    std::vector<std::int16_t> samples;
    MusicFollowing followed;
    Clock::time_point lastGrowth = Clock::now();
    while (true) {
        if (ReadMore(file, samples)) {
            lastGrowth = Clock::now();
            followed = FollowMusic(music.audio, samples);
        }
        const double recorded = static_cast<double>(samples.size() / 2) / kRecordingRate;
        if (!followed.fault.empty() || followed.musicSeconds >= seconds || recorded >= limit) break;
        if (SecondsSince(lastGrowth) > kStallSeconds) break;
        std::this_thread::sleep_for(kPoll);
    }
    std::fclose(file);

    const double recorded = static_cast<double>(samples.size() / 2) / kRecordingRate;
    char length[64];
    std::snprintf(length, sizeof length, "%.2f s of recording", recorded);
    if (!followed.fault.empty()) return Fail(followed.fault + "; before it, " + Summary(followed));
    if (followed.musicSeconds < seconds)
        return Fail(std::string(length) + " hold only " + Summary(followed) + "; expected " + argv[2] + " s");
    std::printf("music check: %s hold %s\n", length, Summary(followed).c_str());
    return 0;
}
