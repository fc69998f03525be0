#include "quality.h"

#include <algorithm>
#include <cstddef>

namespace {

// Frame intervals are averaged over windows of this many seconds (or one
// frame, when a frame takes longer): a single late frame is not a slow level.
constexpr double kWindowSeconds = 1.0;
// Too slow: a window's frames took on average this many times the refresh
// (below 46 frames a second on a 60 Hz display).
constexpr double kSlowFactor = 1.3;
// Keeping up: on average no more than this many times the refresh.
constexpr double kKeptUpFactor = 1.1;
// No step before a level has been shown this long.
constexpr double kHoldSeconds = 3.0;
// Frames must keep up this long before the next higher level is tried.
constexpr double kHeadroomSeconds = 5.0;
// The wait before a level that proved too slow is tried again, doubled after
// each failure up to the longest.
constexpr double kFirstRetryWaitSeconds = 20.0;
constexpr double kLongestRetryWaitSeconds = 160.0;
constexpr double kDefaultRefresh = 1.0 / 60.0;

}  // namespace

PixelSize RenderSizeAt(QualityLevel level)
{
    const int divisor = RenderDivisorAt(level);
    return {kRenderSize.width / divisor, kRenderSize.height / divisor};
}

AutoQuality::AutoQuality(QualityLevel start) : level(start)
{
    retryWait.fill(kFirstRetryWaitSeconds);
}

void AutoQuality::Restart(QualityLevel start)
{
    level = start;
    started = false;
}

QualityLevel AutoQuality::Frame(double now, double refresh)
{
    if (!(refresh > 0.0)) refresh = kDefaultRefresh;
    if (!started) {
        started = true;
        StepTo(level, now);
        return level;
    }
    windowFrames += 1;
    const double span = now - windowStart;
    if (span >= kWindowSeconds) {
        const double start = windowStart;
        const double mean = span / windowFrames;
        windowStart = now;
        windowFrames = 0;
        Judge(mean, start, now, refresh);
    }
    return level;
}

void AutoQuality::Judge(double meanInterval, double start, double now, double refresh)
{
    const bool held = now - changedAt >= kHoldSeconds;
    if (meanInterval > kSlowFactor * refresh) {
        keepingUp = false;
        const std::optional<QualityLevel> lower = LowerLevel(level);
        if (held && lower) {
            const std::size_t failed = IndexOf(level);
            retryAt[failed] = now + retryWait[failed];
            retryWait[failed] = std::min(2.0 * retryWait[failed], kLongestRetryWaitSeconds);
            StepTo(*lower, now);
        }
        return;
    }
    if (meanInterval > kKeptUpFactor * refresh) {
        keepingUp = false;
        return;
    }
    if (!keepingUp) {
        keepingUp = true;
        keepingUpSince = start;
    }
    const std::optional<QualityLevel> higher = HigherLevel(level);
    if (held && higher && now - keepingUpSince >= kHeadroomSeconds && now >= retryAt[IndexOf(*higher)]) {
        StepTo(*higher, now);
    }
}

void AutoQuality::StepTo(QualityLevel next, double now)
{
    level = next;
    changedAt = now;
    windowStart = now;
    windowFrames = 0;
    keepingUp = false;
}
