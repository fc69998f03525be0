// Rolling frame statistics.
#include "frame_stats.h"

void FrameStats::Add(double frameSeconds)
{
    recent.push_back(frameSeconds);
    total += frameSeconds;
    while (recent.size() > 1 && total - recent.front() >= kSpan) {
        total -= recent.front();
        recent.pop_front();
    }
}

double FrameStats::FramesPerSecond() const
{
    return total > 0.0 ? static_cast<double>(recent.size()) / total : 0.0;
}

double FrameStats::FrameMilliseconds() const
{
    return recent.empty() ? 0.0 : total / static_cast<double>(recent.size()) * 1000.0;
}
