// The timeline's geometry: which rows are in view and where they fall across
// the panel, zoomed by the mouse wheel about the pointer, and where a track's
// values fall within its lane. Pixel coordinates are floats, x to the right
// and y downwards, as raylib draws.
#pragma once

#include "sync/track.h"

class TimelineView {
public:
    static constexpr double kFewestRowsInView = 16.0;

    // Shows rows 0 to totalRows (the whole music) across `width` pixels
    // starting at x = left.
    TimelineView(double totalRows, float left, float width);

    // A new pixel span for the rows (the window was resized); the rows in
    // view stay.
    void Place(float left, float width);

    float RowToX(double row) const;
    double XToRow(float x) const;

    double FirstRow() const { return firstRow; }
    double RowsInView() const { return rowsInView; }

    // Zooms in (steps > 0) or out by 1.25 per wheel step, keeping the row
    // under x where it is, between kFewestRowsInView rows and all of them.
    void Zoom(float wheelSteps, float x);

    // Scrolls, if needed, so that `row` is in view: the row then stands a
    // quarter of the way in, so that playing carries it across the panel.
    void KeepInView(double row);

private:
    void HoldWithinRows();

    double totalRows;
    double firstRow = 0.0;
    double rowsInView;
    float left;
    float width;
};

// The values a track takes: with the four key types every value between two
// keys lies between theirs, so the keys' least and greatest bound the curve.
struct ValueRange {
    double low;
    double high;
};
ValueRange TrackValueRange(const SyncTrack& track);

// Where a value falls in a lane from `top` to `top + height`: the range fills
// the lane but for a margin; a flat range sits in the middle.
float ValueToY(double value, ValueRange range, float top, float height);
