// The test-only frame log.
#include "frame_log.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "text/quoted_text.h"

FrameLog::FrameLog(const char* logPath)
{
    if (logPath == nullptr || *logPath == '\0') return;
    path = logPath;
    file.reset(std::fopen(logPath, "w"));
    if (!file) throw std::runtime_error("cannot open the frame log " + Quoted(path) + ": " + std::strerror(errno));
}

void FrameLog::Frame(const FrameLogLine& line)
{
    ++frames;
    if (!file) return;
    std::fprintf(file.get(), "frame=%ld wall=%.6f clock=%.6f music=%.6f playing=%d tracks=%d shader=%d messages=%zu\n",
                 frames, line.wall, line.clock, line.music, line.playing ? 1 : 0, line.tracksGeneration,
                 line.shaderGeneration, lastMessages.size());
    Flush();
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
    Flush();
}

void FrameLog::View(double firstRow, double rowsInView)
{
    if (!file || (firstRow == lastFirstRow && rowsInView == lastRowsInView)) return;
    lastFirstRow = firstRow;
    lastRowsInView = rowsInView;
    std::fprintf(file.get(), "view first=%.6f rows=%.6f\n", firstRow, rowsInView);
    Flush();
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
    Flush();
}

void FrameLog::ShaderOnScreen(double milliseconds)
{
    if (!file) return;
    std::fprintf(file.get(), "shader-on-screen ms=%.1f\n", milliseconds);
    Flush();
}

void FrameLog::EditOnScreen(double milliseconds, std::int64_t wallClockNs)
{
    if (!file) return;
    std::fprintf(file.get(), "edit-on-screen ms=%.1f at=%.6f\n", milliseconds, static_cast<double>(wallClockNs) / 1e9);
    Flush();
}

void FrameLog::TracksTable(std::span<const unsigned char> table)
{
    if (!file) return;
    std::fputs("tracks-table ", file.get());
    for (const unsigned char byte : table) std::fprintf(file.get(), "%02x", byte);
    std::fputc('\n', file.get());
    Flush();
}

void FrameLog::Flush()
{
    // Each line is in the file as its frame shows, even one drawn before a
    // long compile.
    if (std::fflush(file.get()) == 0 && !std::ferror(file.get())) return;
    std::fprintf(stderr, "quorl-studio: cannot write the frame log %s: %s; it ends here\n", Quoted(path).c_str(),
                 std::strerror(errno));
    file.reset();
}
