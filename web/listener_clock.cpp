#include "listener_clock.h"

#include <algorithm>

void ListenerClock::Start(double musicSeconds, double startsAt)
{
    startSeconds = musicSeconds;
    contextStart = startsAt;
    heard = musicSeconds;
}

double ListenerClock::Heard(const AudioOutputReading& reading)
{
    // The timestamp carried on to now; before the first one, what was
    // rendered less the time it takes to reach the speakers.
    double heardContextTime = reading.stampPageTime > 0.0
                                  ? reading.stampContextTime + (reading.pageTime - reading.stampPageTime)
                                  : reading.contextTime - reading.outputLatency;
    heardContextTime = std::min(heardContextTime, reading.contextTime);
    heard = std::max(heard, startSeconds + (heardContextTime - contextStart));
    return heard;
}
