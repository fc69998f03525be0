// A line per frame for the studio's end-to-end tests and measurements, written
// only when QUORL_STUDIO_FRAME_LOG names a file: what a test cannot read off
// the screen (the clock and the music's position, which tracks and shader are
// in use, where the frame is) as KEY=VALUE words. A log asked for and not to
// be had is an error: a test would otherwise wait in vain for its lines.
//
//   layout frame=X,Y,W,H timeline=X,Y,W,H              when the layout changes
//   view first=ROW rows=COUNT                          the timeline's rows, when they change
//   frame=N wall=S clock=S music=S playing=0|1 tracks=G shader=G messages=K
//   messages TEXT                                      when they change, lines joined by " | "
//   shader-on-screen ms=M                              first frame with a new shader
//   edit-on-screen ms=M at=S                           first frame with an edit: M since its key or
//                                                      button came, S the wall clock (Unix seconds)
//   tracks-table HEX                                   the tracks in use as the track-table compiler
//                                                      writes them, when they change
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "studio_layout.h"

struct FrameLogLine {
    double wall;
    double clock;
    double music;
    bool playing;
    int tracksGeneration;
    int shaderGeneration;
};

class FrameLog {
public:
    // Writes to `path`; none (null or empty): no log. Throws
    // std::runtime_error, one line naming the path and the reason, when the
    // file cannot be opened for writing. A write that fails later is said
    // once on standard error, and the log ends there.
    explicit FrameLog(const char* path);

    void Frame(const FrameLogLine& line);
    void Layout(const StudioLayout& layout);
    void View(double firstRow, double rowsInView);
    void Messages(const std::vector<std::string>& messages);
    void ShaderOnScreen(double milliseconds);
    void EditOnScreen(double milliseconds, std::int64_t wallClockNs);
    void TracksTable(std::span<const unsigned char> table);
    // Whether lines are written: a line that costs work is made only then.
    bool Writing() const { return file != nullptr; }

private:
    void Flush();

    struct CloseFile {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };

    std::unique_ptr<std::FILE, CloseFile> file;
    std::string path;
    long frames = 0;
    StudioLayout lastLayout{};
    bool layoutWritten = false;
    double lastFirstRow = -1.0;
    double lastRowsInView = -1.0;
    std::vector<std::string> lastMessages;
};
