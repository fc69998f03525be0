// The page's quality setting: Auto, or one of three levels of detail. Full
// renders the demo's 1920x1080 picture; Half and Quarter render the same
// scene at half or a quarter of its width and height, which the page scales
// up to the canvas. Auto picks the level from the frame times it measures.
// Plain C++, without the browser: the native tests drive it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "render_size.h"

// From the most detail to the least. A level added here must be placed in the
// switches of the functions below, which name every level (warnings are
// errors); the count and the tables per level follow from them.
enum class QualityLevel { Full, Half, Quarter };

// The next level down or up, none past the ends.
constexpr std::optional<QualityLevel> LowerLevel(QualityLevel level)
{
    switch (level) {
    case QualityLevel::Full: return QualityLevel::Half;
    case QualityLevel::Half: return QualityLevel::Quarter;
    case QualityLevel::Quarter: return std::nullopt;
    }
    return std::nullopt;
}

constexpr std::optional<QualityLevel> HigherLevel(QualityLevel level)
{
    switch (level) {
    case QualityLevel::Full: return std::nullopt;
    case QualityLevel::Half: return QualityLevel::Full;
    case QualityLevel::Quarter: return QualityLevel::Half;
    }
    return std::nullopt;
}

// How many times smaller than the demo's picture a level renders, each way.
constexpr int RenderDivisorAt(QualityLevel level)
{
    switch (level) {
    case QualityLevel::Full: return 1;
    case QualityLevel::Half: return 2;
    case QualityLevel::Quarter: return 4;
    }
    return 1;
}

// The levels' positions from Full down: what tables per level are indexed by.
constexpr std::size_t IndexOf(QualityLevel level)
{
    std::size_t index = 0;
    for (std::optional<QualityLevel> higher = HigherLevel(level); higher; higher = HigherLevel(*higher)) ++index;
    return index;
}

inline constexpr QualityLevel kLowestLevel = [] {
    QualityLevel level = QualityLevel::Full;
    while (const std::optional<QualityLevel> lower = LowerLevel(level)) level = *lower;
    return level;
}();
inline constexpr std::size_t kQualityLevelCount = IndexOf(kLowestLevel) + 1;

// The level at a position from Full down; none past the lowest.
constexpr std::optional<QualityLevel> LevelAt(std::size_t index)
{
    std::optional<QualityLevel> level = QualityLevel::Full;
    for (; level && index > 0; --index) level = LowerLevel(*level);
    return level;
}

// The size of the picture rendered at a level.
PixelSize RenderSizeAt(QualityLevel level);

// Auto's choice of level. A level whose frames clearly take longer than the
// display's refresh allows is left for the next lower one; after a while in
// which every frame keeps up with the refresh, the next higher level is tried
// again. Each level is held for a few seconds before any step, and a level
// that proved too slow is tried again only after a wait that doubles each
// time it fails: the picture never flips back and forth between two levels.
class AutoQuality {
public:
    explicit AutoQuality(QualityLevel start = QualityLevel::Full);

    // A frame starts at `now` (seconds, on any clock that runs on) on a
    // display that refreshes every `refresh` seconds (not a positive number:
    // 60 Hz). Returns the level to render it at.
    QualityLevel Frame(double now, double refresh);

    // Measures afresh from `start` on, with the next frame as the first:
    // frames did not run for a while (a new play, a hidden page) or were
    // rendered at another level (a manual choice). What it learnt about the
    // levels that proved too slow stays.
    void Restart(QualityLevel start);

    QualityLevel Level() const { return level; }

private:
    // A window of frames from `start` to `now` took `meanInterval` a frame.
    void Judge(double meanInterval, double start, double now, double refresh);
    void StepTo(QualityLevel next, double now);

    QualityLevel level;
    bool started = false;  // a frame since the last Restart
    double changedAt = 0.0;
    double windowStart = 0.0;
    int windowFrames = 0;
    bool keepingUp = false;
    double keepingUpSince = 0.0;
    // Per level: the earliest time to try it again after it proved too slow,
    // and how long the wait after its next failure will be.
    std::array<double, kQualityLevelCount> retryAt{};
    std::array<double, kQualityLevelCount> retryWait{};
};
