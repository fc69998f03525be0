// The test-only frame log.
#include "frame_log.h"

#include <cstdlib>

FrameLog::FrameLog()
{
    const char* path = std::getenv("QUORL_STUDIO_FRAME_LOG");
    if (path != nullptr && *path != '\0') file.reset(std::fopen(path, "w"));
}

void FrameLog::Frame(const FrameLogLine& line)
{
    ++frames;
    if (!file) return;
    std::fprintf(file.get(), "frame=%ld wall=%.6f clock=%.6f music=%.6f playing=%d tracks=%d shader=%d messages=%zu\n",
                 frames, line.wall, line.clock, line.music, line.playing ? 1 : 0, line.tracksGeneration,
                 line.shaderGeneration, lastMessages.size());
    std::fflush(file.get());
}

void FrameLog::Layout(const StudioLayout& layout)
{
    if (!file || (layoutWritten && layout.frame == lastLayout.frame && layout.timeline == lastLayout.timeline)) return;
    layoutWritten = true;
    lastLayout = layout;
    const PixelRect& f = layout.frame;
    const PixelRect& t = layout.timeline;
    std::fprintf(file.get(), "layout frame=%.0f,%.0f,%.0f,%.0f timeline=%.0f,%.0f,%.0f,%.0f\n", f.x, f.y, f.width,
                 f.height, t.x, t.y, t.width, t.height);
}

void FrameLog::View(double firstRow, double rowsInView)
{
    if (!file || (firstRow == lastFirstRow && rowsInView == lastRowsInView)) return;
    lastFirstRow = firstRow;
    lastRowsInView = rowsInView;
    std::fprintf(file.get(), "view first=%.6f rows=%.6f\n", firstRow, rowsInView);
}

void FrameLog::Messages(const std::vector<std::string>& messages)
{
    if (messages == lastMessages) return;
    lastMessages = messages;
    if (!file) return;
    std::string joined;
    for (const std::string& message : messages) joined += (joined.empty() ? "" : " | ") + message;
    for (char& c : joined) {
        if (c == '\n') c = '|';
    }
    std::fprintf(file.get(), "messages %s\n", joined.c_str());
}

void FrameLog::ShaderOnScreen(double milliseconds)
{
    if (file) std::fprintf(file.get(), "shader-on-screen ms=%.1f\n", milliseconds);
}
