// Row and value mapping of the timeline.
#include "timeline_view.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kZoomPerWheelStep = 1.25;
constexpr double kPlayheadLead = 0.25;  // of the view, before the playhead
constexpr float kLaneMargin = 0.15f;    // of the lane, above and below the curve

}  // namespace

TimelineView::TimelineView(double allRows, float panelLeft, float panelWidth)
    : totalRows(allRows), rowsInView(allRows), left(panelLeft), width(panelWidth)
{
}

void TimelineView::Place(float panelLeft, float panelWidth)
{
    left = panelLeft;
    width = panelWidth;
}

float TimelineView::RowToX(double row) const
{
    return left + static_cast<float>((row - firstRow) / rowsInView * width);
}

double TimelineView::XToRow(float x) const
{
    if (width <= 0.0f) return firstRow;
    return firstRow + static_cast<double>(x - left) / width * rowsInView;
}

void TimelineView::Zoom(float wheelSteps, float x)
{
    const double pivot = XToRow(x);
    const double fewest = std::min(kFewestRowsInView, totalRows);
    rowsInView = std::clamp(rowsInView / std::pow(kZoomPerWheelStep, wheelSteps), fewest, totalRows);
    firstRow = pivot - (x - left) / std::max(width, 1.0f) * rowsInView;
    HoldWithinRows();
}

void TimelineView::KeepInView(double row)
{
    if (row >= firstRow && row <= firstRow + rowsInView) return;
    firstRow = row - kPlayheadLead * rowsInView;
    HoldWithinRows();
}

void TimelineView::HoldWithinRows()
{
    firstRow = std::clamp(firstRow, 0.0, std::max(0.0, totalRows - rowsInView));
}

ValueRange TrackValueRange(const SyncTrack& track)
{
    if (track.keyCount <= 0) return {0.0, 0.0};
    ValueRange range{track.keys[0].value, track.keys[0].value};
    for (std::int32_t k = 1; k < track.keyCount; ++k) {
        range.low = std::min<double>(range.low, track.keys[k].value);
        range.high = std::max<double>(range.high, track.keys[k].value);
    }
    return range;
}

float ValueToY(double value, ValueRange range, float top, float height)
{
    const float middle = top + height / 2.0f;
    if (!(range.high > range.low)) return middle;
    const float usable = height * (1.0f - 2.0f * kLaneMargin);
    const double share = (value - range.low) / (range.high - range.low);
    return middle + usable / 2.0f - static_cast<float>(share) * usable;
}
