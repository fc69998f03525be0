// The clock that follows the music's position: timer prediction plus a small
// correction, or a resync on a large gap.
#include "music_following_clock.h"

#include <algorithm>
#include <cmath>

void MusicFollowingClock::Restart(double startSeconds, double now)
{
    seconds = startSeconds;
    lastNow = now;
    restarted = true;
}

double MusicFollowingClock::Follow(double now, double musicPosition)
{
    const double predicted = seconds + std::max(0.0, now - lastNow);
    lastNow = now;
    const double gap = musicPosition - predicted;
    if (std::fabs(gap) > kResyncGap) {
        restarted = false;
        seconds = musicPosition;
    } else if (restarted) {
        // Held until the music plays on from where the clock restarted.
        if (musicPosition > seconds) {
            restarted = false;
            seconds = std::min(musicPosition, predicted);
        }
    } else {
        // While following, the picture never steps back: a frame shorter than
        // the correction holds still instead.
        seconds = std::max(seconds, predicted + kCorrectionPerFrame * gap);
    }
    return seconds;
}
