// The timeline's geometry: rows to pixels and back, the wheel's zoom about the
// pointer, keeping the playhead in view, and where values fall in a lane.
#include <gtest/gtest.h>

#include <vector>

#include "timeline_view.h"

namespace {

constexpr double kAllRows = 832.0;

TEST(TimelineRows, AtFirstAllRowsSpanThePanel)
{
    const TimelineView view(kAllRows, 190.0f, 1090.0f);
    EXPECT_FLOAT_EQ(view.RowToX(0.0), 190.0f);
    EXPECT_FLOAT_EQ(view.RowToX(kAllRows), 1280.0f);
    EXPECT_FLOAT_EQ(view.RowToX(416.0), 735.0f);
}

TEST(TimelineRows, PixelToRowIsTheInverseOfRowToPixel)
{
    TimelineView view(kAllRows, 190.0f, 1090.0f);
    view.Zoom(3.0f, 500.0f);
    for (const double row : {0.0, 100.5, 256.0, 400.25}) {
        EXPECT_NEAR(view.XToRow(view.RowToX(row)), row, 1e-3) << row;
    }
}

TEST(TimelineRows, APlacedViewKeepsItsRowsOverTheNewSpan)
{
    TimelineView view(kAllRows, 190.0f, 1090.0f);
    view.Place(100.0f, 416.0f);
    EXPECT_FLOAT_EQ(view.RowToX(0.0), 100.0f);
    EXPECT_FLOAT_EQ(view.RowToX(416.0), 308.0f);
}

TEST(TimelineZoom, KeepsTheRowUnderThePointerWhereItIs)
{
    TimelineView view(kAllRows, 190.0f, 1090.0f);
    const float pointer = 700.0f;
    const double under = view.XToRow(pointer);
    view.Zoom(2.0f, pointer);
    EXPECT_NEAR(view.RowsInView(), kAllRows / 1.5625, 1e-9);
    EXPECT_NEAR(view.XToRow(pointer), under, 1e-4);
    view.Zoom(-1.0f, pointer);
    EXPECT_NEAR(view.RowsInView(), kAllRows / 1.25, 1e-9);
    EXPECT_NEAR(view.XToRow(pointer), under, 1e-4);
}

TEST(TimelineZoom, StopsAtSixteenRowsAndAtAllOfThem)
{
    TimelineView view(kAllRows, 190.0f, 1090.0f);
    view.Zoom(100.0f, 400.0f);
    EXPECT_EQ(view.RowsInView(), TimelineView::kFewestRowsInView);
    view.Zoom(-100.0f, 400.0f);
    EXPECT_EQ(view.RowsInView(), kAllRows);
    EXPECT_EQ(view.FirstRow(), 0.0);
}

TEST(TimelineZoom, NearAnEdgeTheViewStaysWithinTheRows)
{
    TimelineView view(kAllRows, 190.0f, 1090.0f);
    view.Zoom(4.0f, 1275.0f);
    EXPECT_LE(view.FirstRow() + view.RowsInView(), kAllRows + 1e-9);
    view.Zoom(2.0f, 191.0f);
    EXPECT_GE(view.FirstRow(), 0.0);
}

TEST(TimelineFollow, ScrollsOnlyWhenThePlayheadLeavesTheView)
{
    TimelineView view(kAllRows, 190.0f, 1090.0f);
    view.Zoom(6.0f, 190.0f);  // rows 0 to about 218
    const double rows = view.RowsInView();
    view.KeepInView(100.0);
    EXPECT_EQ(view.FirstRow(), 0.0);
    view.KeepInView(400.0);
    EXPECT_NEAR(view.FirstRow(), 400.0 - rows / 4.0, 1e-9) << "a quarter of the view before the playhead";
    view.KeepInView(10.0);
    EXPECT_EQ(view.FirstRow(), 0.0);
    view.KeepInView(830.0);
    EXPECT_NEAR(view.FirstRow() + view.RowsInView(), kAllRows, 1e-9);
}

// ---------------------------------------------------------------------------
// Values in a lane
// ---------------------------------------------------------------------------

SyncTrack TrackOf(std::vector<TrackKey>& keys)
{
    return {const_cast<char*>("t"), keys.data(), static_cast<std::int32_t>(keys.size())};
}

TEST(TimelineLanes, TheKeysLeastAndGreatestValuesBoundTheCurve)
{
    std::vector<TrackKey> keys{{0, 3.0f, 2}, {10, -7.5f, 1}, {20, 12.0f, 3}, {30, 0.0f, 0}};
    const ValueRange range = TrackValueRange(TrackOf(keys));
    EXPECT_EQ(range.low, -7.5);
    EXPECT_EQ(range.high, 12.0);
    std::vector<TrackKey> none;
    const ValueRange empty = TrackValueRange(TrackOf(none));
    EXPECT_EQ(empty.low, 0.0);
    EXPECT_EQ(empty.high, 0.0);
}

TEST(TimelineLanes, RangeFillsTheLaneButForAMarginHighValuesUp)
{
    const ValueRange range{-10.0, 30.0};
    const float top = 100.0f;
    const float height = 40.0f;
    const float low = ValueToY(-10.0, range, top, height);
    const float high = ValueToY(30.0, range, top, height);
    EXPECT_GT(low, high) << "larger values are drawn higher up";
    EXPECT_FLOAT_EQ(low, 134.0f);
    EXPECT_FLOAT_EQ(high, 106.0f);
    EXPECT_FLOAT_EQ(ValueToY(10.0, range, top, height), 120.0f);
}

TEST(TimelineLanes, AFlatTrackSitsInTheMiddle)
{
    EXPECT_FLOAT_EQ(ValueToY(5.0, {5.0, 5.0}, 100.0f, 40.0f), 120.0f);
}

}  // namespace
