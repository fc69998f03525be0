// The timeline panel, drawn with raylib's shapes and default font.
//
// [SECTION] colours and marks
// [SECTION] ruler
// [SECTION] lanes
// [SECTION] the music
// [SECTION] marks across the lanes
// [SECTION] the editor's marks
// [SECTION] the panel's two layers
#include "timeline_panel.h"

#include <raylib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>
#include <vector>

#include "present.h"
#include "scenes/city_sections.h"
#include "sync/tempo.h"
#include "timeline_lanes.h"

namespace {

// [SECTION] colours and marks

constexpr Color kPanel{22, 22, 26, 255};
constexpr Color kLaneShade{30, 30, 36, 255};
constexpr Color kLabelText{220, 220, 220, 255};
constexpr Color kValueText{150, 150, 160, 255};
constexpr Color kCurve{235, 235, 235, 255};
constexpr Color kRulerText{170, 170, 180, 255};
constexpr Color kTick{70, 70, 80, 255};
constexpr Color kSectionCut{230, 200, 60, 255};
constexpr Color kEnd{230, 60, 60, 255};
constexpr Color kPastEnd{90, 20, 20, 110};
constexpr Color kLoopOn{60, 120, 255, 70};
constexpr Color kLoopOff{60, 120, 255, 160};
constexpr Color kPlayhead{255, 255, 255, 255};
constexpr Color kCurrentLane{90, 140, 255, 255};
constexpr Color kSelectedKey{255, 255, 255, 255};
constexpr Color kReadoutBackdrop{0, 0, 0, 200};
constexpr Color kReadoutText{235, 235, 235, 255};
constexpr Color kRefusedText{255, 130, 130, 255};
constexpr Color kLanding{255, 255, 255, 150};
constexpr Color kBarLine{80, 80, 96, 255};
constexpr Color kBeatLine{44, 44, 54, 255};
constexpr Color kMusic{90, 170, 150, 255};
constexpr Color kMarker{120, 230, 120, 255};
constexpr Color kMarkerLabel{30, 60, 30, 230};
constexpr Color kSelectedMarkerLabel{60, 120, 60, 255};
constexpr Color kBox{255, 255, 255, 40};
constexpr Color kBoxEdge{255, 255, 255, 170};
// Grid lines closer than this are not drawn: they would fill the lane.
constexpr float kFewestGridPixels = 5.0f;
constexpr int kFontSize = 10;

Color KeyColour(std::int32_t type)
{
    switch (static_cast<KeyType>(type)) {
    case KeyType::Step:
        return ORANGE;
    case KeyType::Linear:
        return GREEN;
    case KeyType::Smooth:
        return SKYBLUE;
    case KeyType::Ramp:
        return MAGENTA;
    }
    return GRAY;
}

void DrawKeyMark(Vector2 at, std::int32_t type)
{
    const Color colour = KeyColour(type);
    switch (static_cast<KeyType>(type)) {
    case KeyType::Step:
        DrawRectangleV({at.x - 3.0f, at.y - 3.0f}, {6.0f, 6.0f}, colour);
        return;
    case KeyType::Linear:
        DrawPoly(at, 4, 4.5f, 0.0f, colour);
        return;
    case KeyType::Smooth:
        DrawCircleV(at, 3.5f, colour);
        return;
    case KeyType::Ramp:
        DrawPoly(at, 3, 5.0f, -90.0f, colour);
        return;
    }
    DrawCircleLinesV(at, 3.5f, colour);
}

void DrawVertical(float x, float top, float bottom, float thickness, Color colour)
{
    DrawLineEx({x, top}, {x, bottom}, thickness, colour);
}

// [SECTION] ruler

// Rows between labelled ticks: the finest of a row, a beat, a bar and
// multiples of bars that leaves room for a label.
double TickSpacing(const TimelineView& view)
{
    constexpr float kLeastPixels = 44.0f;
    for (double rows = 1.0;; rows *= ROWS_PER_BEAT) {
        if (view.RowToX(rows) - view.RowToX(0.0) >= kLeastPixels) return rows;
    }
}

void DrawLegend(PixelRect ruler)
{
    float x = ruler.x + 8.0f;
    const float y = ruler.y + ruler.height / 2.0f;
    for (std::size_t type = 0; type < kKeyTypeNames.size(); ++type) {
        const char* name = kKeyTypeNames[type];
        DrawKeyMark({x, y}, static_cast<std::int32_t>(type));
        DrawText(name, static_cast<int>(x + 7.0f), static_cast<int>(y - 4.0f), kFontSize, kRulerText);
        x += 12.0f + static_cast<float>(MeasureText(name, kFontSize)) + 8.0f;
    }
}

void DrawRuler(PixelRect ruler, const TimelineView& view)
{
    const double spacing = TickSpacing(view);
    const double first = std::ceil(view.FirstRow() / spacing) * spacing;
    for (double row = first; row <= view.FirstRow() + view.RowsInView(); row += spacing) {
        const float x = view.RowToX(row);
        DrawVertical(x, ruler.y + ruler.height - 5.0f, ruler.y + ruler.height, 1.0f, kTick);
        char label[16];
        std::snprintf(label, sizeof label, "%.0f", row);
        DrawText(label, static_cast<int>(x + 2.0f), static_cast<int>(ruler.y + 3.0f), kFontSize, kRulerText);
    }
}

// Bar lines, and beat lines between them, where they stand apart.
void DrawGrid(PixelRect area, const TimelineView& view)
{
    for (const int rows : {ROWS_PER_BAR, ROWS_PER_BEAT}) {
        if (view.RowToX(rows) - view.RowToX(0.0) < kFewestGridPixels) continue;
        const double first = std::ceil(view.FirstRow() / rows) * rows;
        for (double row = first; row <= view.FirstRow() + view.RowsInView(); row += rows) {
            if (rows == ROWS_PER_BEAT && std::fmod(row, ROWS_PER_BAR) == 0.0) continue;
            DrawVertical(view.RowToX(row), area.y, area.y + area.height, 1.0f,
                         rows == ROWS_PER_BAR ? kBarLine : kBeatLine);
        }
    }
}

// [SECTION] lanes

void DrawCurve(const SyncTrack& track, const TimelineView& view, PixelRect lane, float plotLeft, float plotRight)
{
    const ValueRange range = TrackValueRange(track);
    constexpr float kPixelsPerSample = 2.0f;
    std::vector<Vector2> points;
    for (float x = plotLeft; x <= plotRight; x += kPixelsPerSample) {
        const double value = GetTrackValue(&track, view.XToRow(x));
        points.push_back({x, ValueToY(value, range, lane.y, lane.height)});
    }
    if (points.size() > 1) DrawLineStrip(points.data(), static_cast<int>(points.size()), kCurve);
    for (std::int32_t k = 0; k < track.keyCount; ++k) {
        const TrackKey& key = track.keys[k];
        const float x = view.RowToX(key.row);
        if (x < plotLeft - 6.0f || x > plotRight + 6.0f) continue;
        DrawKeyMark({x, ValueToY(key.value, range, lane.y, lane.height)}, key.type);
    }
}

void ClipTo(PixelRect area)
{
    BeginScissorMode(static_cast<int>(area.x), static_cast<int>(area.y), static_cast<int>(area.width),
                     static_cast<int>(std::ceil(area.height)));
}

void DrawLaneValue(const SyncTrack& track, PixelRect lane, double row)
{
    char value[32];
    std::snprintf(value, sizeof value, "%.3f", GetTrackValue(&track, row));
    const int width = MeasureText(value, kFontSize);
    DrawText(value, static_cast<int>(lane.x + kTimelineLabelWidth - 8.0f) - width,
             static_cast<int>(lane.y + lane.height - 12.0f), kFontSize, kValueText);
}

// [SECTION] the music

// The loudness of the rows under each pixel column, mirrored about the lane's middle.
void DrawMusic(const MusicEnvelope& music, const TimelineView& view, PixelRect lane, PixelRect plot)
{
    const float middle = lane.y + lane.height / 2.0f;
    const float reach = lane.height * 0.45f;
    for (float x = plot.x; x < plot.x + plot.width; x += 1.0f) {
        const float loudness = music.Loudness(view.XToRow(x), view.XToRow(x + 1.0f));
        if (loudness <= 0.0f) continue;
        DrawVertical(x + 0.5f, middle - loudness * reach, middle + loudness * reach, 1.0f, kMusic);
    }
}

// [SECTION] marks across the lanes

void DrawFixedMarks(PixelRect plot, const TimelineView& view, double endSeconds)
{
    const float top = plot.y;
    const float bottom = plot.y + plot.height;
    for (const int cut : kCitySectionCuts) DrawVertical(view.RowToX(cut), top, bottom, 1.0f, kSectionCut);
    const float end = view.RowToX(SecondsToRows(endSeconds));
    DrawRectangleRec({end, top, std::max(0.0f, plot.x + plot.width - end), plot.height}, kPastEnd);
    DrawVertical(end, top, bottom, 2.0f, kEnd);
}

void DrawMovingMarks(PixelRect plot, const TimelineView& view, const Transport& transport)
{
    const float top = plot.y;
    const float bottom = plot.y + plot.height;
    const LoopSpan& loop = transport.Loop();
    const float loopStart = view.RowToX(SecondsToRows(loop.start));
    const float loopEnd = view.RowToX(SecondsToRows(loop.end));
    if (loop.enabled) {
        DrawRectangleRec({loopStart, top, loopEnd - loopStart, plot.height}, kLoopOn);
    }
    DrawVertical(loopStart, top, bottom, 1.0f, kLoopOff);
    DrawVertical(loopEnd, top, bottom, 1.0f, kLoopOff);
    DrawVertical(view.RowToX(SecondsToRows(transport.Seconds())), top, bottom, 2.0f, kPlayhead);
}

// [SECTION] the editor's marks

void DrawReadout(const TimelineReadout& readout, PixelRect lane, PixelRect plot, bool dragging)
{
    if (dragging) DrawVertical(readout.x, lane.y, lane.y + lane.height, 1.0f, kLanding);
    const float width = static_cast<float>(MeasureText(readout.text.c_str(), kFontSize)) + 8.0f;
    const float height = static_cast<float>(kFontSize) + 4.0f;
    const float left = ReadoutLeft(readout.x, width, plot);
    const float top = lane.y + std::max(0.0f, (lane.height - height) / 2.0f);
    DrawRectangleRec({left, top, width, height}, kReadoutBackdrop);
    DrawText(readout.text.c_str(), static_cast<int>(left + 4.0f), static_cast<int>(top + 2.0f), kFontSize,
             readout.refused ? kRefusedText : kReadoutText);
}

// A line across the lanes at each marker and its name in the ruler's strip.
void DrawMarkers(PixelRect panel, const std::vector<MarkerMark>& markers)
{
    const PixelRect strip = MarkerStrip(panel);
    const PixelRect plot = TimelinePlot(panel);
    ClipTo(plot);
    for (const MarkerMark& marker : markers) {
        DrawVertical(marker.x, strip.y, plot.y + plot.height, 1.0f, kMarker);
        const PixelRect label = MarkerLabel(strip, marker.x, marker.name.size());
        DrawRectangleRec({label.x, label.y, label.width, label.height},
                         marker.selected ? kSelectedMarkerLabel : kMarkerLabel);
        DrawText(marker.name.c_str(), static_cast<int>(label.x + 3.0f),
                 static_cast<int>(label.y + (label.height - kFontSize) / 2.0f), kFontSize, kMarker);
    }
    EndScissorMode();
}

void DrawEditorMarks(PixelRect panel, int laneCount, const TimelineMarks& marks)
{
    DrawMarkers(panel, marks.markers);
    const PixelRect plot = TimelinePlot(panel);
    if (marks.currentLane) {
        const PixelRect lane = TimelineLane(panel, *marks.currentLane, laneCount);
        DrawRectangleRec({lane.x, lane.y, 3.0f, lane.height}, kCurrentLane);
    }
    ClipTo(plot);
    for (const PixelPoint at : marks.selectedKeys) {
        DrawCircleLinesV({at.x, at.y}, 6.5f, kSelectedKey);
        DrawCircleLinesV({at.x, at.y}, 7.5f, kSelectedKey);
    }
    if (marks.box) {
        const Rectangle box{marks.box->x, marks.box->y, marks.box->width, marks.box->height};
        DrawRectangleRec(box, kBox);
        DrawRectangleLinesEx(box, 1.0f, kBoxEdge);
    }
    if (marks.readout) {
        DrawReadout(*marks.readout, TimelineLane(panel, marks.readout->lane, laneCount), plot, marks.dragging);
    }
    EndScissorMode();
}

// [SECTION] the panel's two layers

// Everything that stays while the view and the tracks do, in a panel at `panel`.
void DrawFixedLayer(PixelRect panel, const TimelineView& view, const SyncDevice& device, const MusicEnvelope& music,
                    double endSeconds)
{
    DrawRectangleRec({panel.x, panel.y, panel.width, panel.height}, kPanel);
    const PixelRect plot = TimelinePlot(panel);
    const PixelRect ruler{panel.x, panel.y, panel.width, std::min(kRulerHeight, panel.height)};
    ClipTo(plot);
    DrawRuler(ruler, view);
    EndScissorMode();
    DrawLegend({ruler.x, ruler.y, kTimelineLabelWidth, ruler.height});

    const std::span<SyncTrack* const> registered = RegisteredTracks(device);
    const int count = static_cast<int>(registered.size());
    for (int index = 0; index <= count; ++index) {
        const PixelRect lane = TimelineLane(panel, index, count);
        if (index % 2 == 1) DrawRectangleRec({lane.x, lane.y, lane.width, lane.height}, kLaneShade);
    }
    const float lanesTop = TimelineLane(panel, 0, count).y;
    ClipTo(plot);
    DrawGrid({plot.x, lanesTop, plot.width, plot.y + plot.height - lanesTop}, view);
    EndScissorMode();
    int index = 0;
    for (const SyncTrack* track : registered) {
        const PixelRect lane = TimelineLane(panel, index, count);
        DrawText(track->name, static_cast<int>(lane.x + 6.0f), static_cast<int>(lane.y + 2.0f), kFontSize, kLabelText);
        ClipTo({plot.x, lane.y, plot.width, lane.height});
        DrawCurve(*track, view, lane, plot.x, plot.x + plot.width);
        EndScissorMode();
        ++index;
    }
    const PixelRect musicLane = TimelineLane(panel, count, count);
    DrawText("music", static_cast<int>(musicLane.x + 6.0f), static_cast<int>(musicLane.y + 2.0f), kFontSize,
             kLabelText);
    ClipTo({plot.x, musicLane.y, plot.width, musicLane.height});
    DrawMusic(music, view, musicLane, plot);
    EndScissorMode();
    ClipTo(plot);
    DrawFixedMarks(plot, view, endSeconds);
    EndScissorMode();
}

}  // namespace

void TimelinePanel::Draw(PixelRect panel, const TimelineView& view, const SyncDevice& device,
                         const MusicEnvelope& music, const Transport& transport, int tracksGeneration,
                         const TimelineMarks& marks)
{
    const LayerState state{panel.width, panel.height, view.FirstRow(), view.RowsInView(), transport.End(),
                           tracksGeneration};
    if (drawn != state) {
        const int width = std::max(1, static_cast<int>(panel.width));
        const int height = std::max(1, static_cast<int>(panel.height));
        if (!layer || layer->Get().texture.width != width || layer->Get().texture.height != height) {
            layer.reset();
            layer.emplace(width, height);
        }
        // The layer is drawn at the origin, with the view placed there too.
        TimelineView atOrigin = view;
        const PixelRect origin{0.0f, 0.0f, panel.width, panel.height};
        PlaceTimelineView(atOrigin, origin);
        BeginTextureMode(layer->Get());
        DrawFixedLayer(origin, atOrigin, device, music, transport.End());
        EndTextureMode();
        drawn = state;
    }
    const Texture2D fixed = layer->Get().texture;
    DrawPicture(fixed, {panel.x, panel.y, static_cast<float>(fixed.width), static_cast<float>(fixed.height)});

    const double row = SecondsToRows(transport.Seconds());
    const std::span<SyncTrack* const> registered = RegisteredTracks(device);
    const int count = static_cast<int>(registered.size());
    int index = 0;
    for (const SyncTrack* track : registered) DrawLaneValue(*track, TimelineLane(panel, index++, count), row);
    const PixelRect plot = TimelinePlot(panel);
    ClipTo(plot);
    DrawMovingMarks(plot, view, transport);
    EndScissorMode();
    DrawEditorMarks(panel, count, marks);
}
