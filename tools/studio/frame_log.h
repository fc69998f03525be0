// A line per frame for the studio's end-to-end tests and measurements, written
// only when QUORL_STUDIO_FRAME_LOG names a file: what a test cannot read off
// the screen (the clock and the music's position, which tracks and shader are
// in use, where the frame is) as KEY=VALUE words.
//
//   layout frame=X,Y,W,H timeline=X,Y,W,H              when the layout changes
//   view first=ROW rows=COUNT                          the timeline's rows, when they change
//   frame=N wall=S clock=S music=S playing=0|1 tracks=G shader=G messages=K
//   messages TEXT                                      when they change, lines joined by " | "
//   shader-on-screen ms=M                              first frame with a new shader
#pragma once

#include <cstdio>
#include <memory>
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
    FrameLog();

    void Frame(const FrameLogLine& line);
    void Layout(const StudioLayout& layout);
    void View(double firstRow, double rowsInView);
    void Messages(const std::vector<std::string>& messages);
    void ShaderOnScreen(double milliseconds);

private:
    struct CloseFile {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };

    std::unique_ptr<std::FILE, CloseFile> file;
    long frames = 0;
    StudioLayout lastLayout{};
    bool layoutWritten = false;
    double lastFirstRow = -1.0;
    double lastRowsInView = -1.0;
    std::vector<std::string> lastMessages;
};
