#include "listener_clock.h"

#include <algorithm>

void ListenerClock::Start(double musicSeconds)
{
    startSeconds = musicSeconds;
    heard = musicSeconds;
}

double ListenerClock::Heard(const AudioOutputReading& reading)
{
    if (reading.startedAt < 0.0) return heard;
    const double stampAge = reading.pageTime - reading.stampPageTime;
    const double heardContextTime =
        reading.stampPageTime > 0.0 && stampAge < kRecentStamp
            ? std::min(reading.stampContextTime + stampAge, reading.contextTime)
            : reading.contextTime - reading.outputLatency;
    heard = std::max(heard, startSeconds + (heardContextTime - reading.startedAt));
    return heard;
}
