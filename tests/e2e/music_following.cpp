// The first sound of the recording is matched against the music's start (past
// the music's own quiet first frames), which also gives the mix gain; from
// there every frame must be the music's next one until the recording falls
// silent for good.
#include "music_following.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace {

// In 16-bit steps. A frame this close to zero in both channels may be the
// device's silence; the mix and the conversion to 16 bits round by less than
// the tolerance.
constexpr double kQuiet = 4.0;
constexpr double kTolerance = 3.0;
constexpr double kFullScale = 32768.0;
// The mix gain is fitted over the first 0.1 s of sound.
constexpr std::size_t kGainFrames = 4800;

class Follower {
public:
    Follower(const StereoBuffer& decoded, std::span<const std::int16_t> interleaved)
        : music(decoded), samples(interleaved)
    {
    }

    MusicFollowing Run() const
    {
        const std::size_t frames = samples.size() / 2;
        const std::size_t begin = NextSound(0);
        if (frames - begin < kGainFrames) return {Seconds(begin), 0.0, {}};
        const auto [bestFrom, bestLength] = MusicStart(begin);

        MusicFollowing followed{Seconds(begin), Seconds(bestFrom + bestLength), {}};
        if (bestLength < kGainFrames) {
            followed.musicSeconds = 0.0;
            followed.fault = Fault(begin, "sound that is not the music from its start");
            return followed;
        }
        const std::size_t end = begin + bestLength;
        const std::size_t sound = NextSound(end);
        if (sound == end && sound < frames) followed.fault = Fault(end, "sound that does not go on with the music");
        if (sound > end && sound < frames) followed.fault = Fault(sound, "sound again after the music had stopped");
        return followed;
    }

    std::vector<MusicStretch> Stretches() const
    {
        const std::size_t frames = samples.size() / 2;
        std::size_t begin = NextSound(0);
        if (frames - begin < kGainFrames) return {};
        const auto [from, length] = MusicStart(begin);
        if (length < kGainFrames) return {};
        const double gain = FittedGain(begin, from);
        std::vector<MusicStretch> stretches{{begin, from, length}};
        // Each pause: the music goes on from about where it stopped.
        const auto window = static_cast<std::size_t>(music.sampleRate);
        for (begin = NextSound(begin + length); begin < frames; begin = NextSound(begin + stretches.back().frames)) {
            const std::size_t stopped = stretches.back().musicFrame + stretches.back().frames;
            MusicStretch best{begin, 0, 0};
            for (std::size_t at = stopped > window ? stopped - window : 0; at < stopped + window; ++at) {
                const std::size_t matching = MatchingFrames(begin, at, gain);
                if (matching > best.frames) best = {begin, at, matching};
            }
            // Shorter, it may be any stretch of quiet music.
            if (best.frames < kGainFrames) break;
            stretches.push_back(best);
        }
        return stretches;
    }

private:
    std::size_t NextSound(std::size_t frame) const
    {
        while (frame < samples.size() / 2 && Quiet(frame)) ++frame;
        return frame;
    }

    // Where in the music the first sound, at `begin`, is from, and for how
    // long the two agree: past the music's own first frames that the mix may
    // have rounded to silence, any gain down to 1/25 is found.
    std::pair<std::size_t, std::size_t> MusicStart(std::size_t begin) const
    {
        std::size_t bestFrom = 0;
        std::size_t bestLength = 0;
        for (std::size_t from = 0; from < music.Frames(); ++from) {
            const std::size_t length = MatchingFrames(begin, from, FittedGain(begin, from));
            if (length > bestLength) {
                bestFrom = from;
                bestLength = length;
            }
            if (!MusicQuiet(from, 1.0 / 25.0)) break;
        }
        return {bestFrom, bestLength};
    }

    double Left(std::size_t frame) const { return samples[2 * frame]; }
    double Right(std::size_t frame) const { return samples[2 * frame + 1]; }
    double MusicLeft(std::size_t frame) const { return music.left[frame] * kFullScale; }
    double MusicRight(std::size_t frame) const { return music.right[frame] * kFullScale; }

    bool Quiet(std::size_t frame) const { return std::abs(Left(frame)) <= kQuiet && std::abs(Right(frame)) <= kQuiet; }
    bool MusicQuiet(std::size_t frame, double gain) const
    {
        return std::abs(gain * MusicLeft(frame)) <= kQuiet && std::abs(gain * MusicRight(frame)) <= kQuiet;
    }

    // The least-squares gain from the music at `from` to the recording at `begin`.
    double FittedGain(std::size_t begin, std::size_t from) const
    {
        double product = 0.0;
        double energy = 0.0;
        for (std::size_t i = 0; i < kGainFrames && from + i < music.Frames(); ++i) {
            product += Left(begin + i) * MusicLeft(from + i) + Right(begin + i) * MusicRight(from + i);
            energy += MusicLeft(from + i) * MusicLeft(from + i) + MusicRight(from + i) * MusicRight(from + i);
        }
        return energy > 0.0 ? product / energy : 0.0;
    }

    // How many frames of the recording from `begin` are the music from `from`.
    std::size_t MatchingFrames(std::size_t begin, std::size_t from, double gain) const
    {
        const std::size_t frames = samples.size() / 2;
        std::size_t length = 0;
        while (begin + length < frames && from + length < music.Frames() &&
               std::abs(Left(begin + length) - gain * MusicLeft(from + length)) <= kTolerance &&
               std::abs(Right(begin + length) - gain * MusicRight(from + length)) <= kTolerance)
            ++length;
        return length;
    }

    std::string Fault(std::size_t frame, const char* what) const
    {
        char text[160];
        std::snprintf(text, sizeof text, "at %.3f s of the recording: %s", Seconds(frame), what);
        return text;
    }

    double Seconds(std::size_t frames) const { return static_cast<double>(frames) / music.sampleRate; }

    const StereoBuffer& music;
    std::span<const std::int16_t> samples;
};

}  // namespace

MusicFollowing FollowMusic(const StereoBuffer& music, std::span<const std::int16_t> recording)
{
    return Follower(music, recording).Run();
}

std::vector<MusicStretch> FollowPausedMusic(const StereoBuffer& music, std::span<const std::int16_t> recording)
{
    return Follower(music, recording).Stretches();
}
