// Snapping drags and sizing nudges.
#include "edit_steps.h"

#include <algorithm>
#include <cmath>

#include "sync/tempo.h"

std::int64_t SnapRowDelta(double rows, RowSnap snap)
{
    if (std::isnan(rows)) return 0;
    const double grid = snap == RowSnap::Beat ? ROWS_PER_BEAT : 1.0;
    // Far past any row an int32 holds, and still exact in a double.
    constexpr double kFarthest = 1e12;
    return static_cast<std::int64_t>(std::round(std::clamp(rows, -kFarthest, kFarthest) / grid) * grid);
}

double NudgeStep(std::span<const TrackKey> keys, NudgeSize size)
{
    double low = 0.0;
    double high = 0.0;
    if (!keys.empty()) {
        const auto [least, greatest] = std::minmax_element(
            keys.begin(), keys.end(), [](const TrackKey& a, const TrackKey& b) { return a.value < b.value; });
        low = least->value;
        high = greatest->value;
    }
    const double span = high > low ? high - low : std::max(std::fabs(high), 1.0);
    // A hair above, so that a span of exactly a power of ten is not taken
    // for the one below by a rounding in log10.
    const double step = std::pow(10.0, std::floor(std::log10(span / 10.0) + 1e-9));
    return size == NudgeSize::Fine ? step / 10.0 : step;
}
