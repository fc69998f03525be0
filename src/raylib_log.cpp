// The routing of raylib's log.
#include "raylib_log.h"

#include <raylib.h>

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace {

LogCapture* capturing = nullptr;
bool routedForGood = false;

std::string Format(const char* text, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, text, measure);
    va_end(measure);
    if (length < 0) return text;
    std::string line(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(line.data(), line.size(), text, args);
    line.resize(static_cast<std::size_t>(length));
    return line;
}

// raylib's own prefixes, for lines printed where nothing routes the log.
const char* LevelPrefix(int level)
{
    switch (level) {
    case LOG_TRACE: return "TRACE: ";
    case LOG_DEBUG: return "DEBUG: ";
    case LOG_INFO: return "INFO: ";
    case LOG_WARNING: return "WARNING: ";
    case LOG_ERROR: return "ERROR: ";
    case LOG_FATAL: return "FATAL: ";
    default: return "";
    }
}

void Print(int level, const std::string& line)
{
    if (routedForGood) {
        std::fprintf(stderr, "raylib: %s\n", line.c_str());
    } else {
        std::printf("%s%s\n", LevelPrefix(level), line.c_str());
        std::fflush(stdout);
    }
}

}  // namespace

// Where a line goes from a capture (or from none): into it, and on past it
// when it echoes or the line says no more than information.
struct LogRouting {
    static void Deliver(LogCapture* capture, int level, std::string line)
    {
        for (; capture != nullptr; capture = capture->outer) {
            if (level < LOG_WARNING) {
                capture->information.push_back(line);
                continue;
            }
            capture->lines.push_back(line);
            capture->levels.push_back(level);
            if (capture->echo == LogEcho::Off) return;
        }
        Print(level, line);
    }
};

namespace {

void Route(int level, const char* text, va_list args)
{
    LogRouting::Deliver(capturing, level, Format(text, args));
}

}  // namespace

void RouteRaylibLog()
{
    SetTraceLogLevel(LOG_WARNING);
    SetTraceLogCallback(Route);
    routedForGood = true;
}

LogCapture::LogCapture(LogEcho echoing) : echo(echoing), outer(std::exchange(capturing, this))
{
    SetTraceLogCallback(Route);
}

LogCapture::~LogCapture()
{
    capturing = outer;
    // Null gives the printing back to raylib.
    if (capturing == nullptr && !routedForGood) SetTraceLogCallback(nullptr);
}

const std::vector<std::string>& LogCapture::Lines() const
{
    return lines;
}

void LogCapture::PassOn()
{
    if (echo == LogEcho::Off) {
        for (std::size_t i = 0; i < lines.size(); ++i) LogRouting::Deliver(outer, levels[i], lines[i]);
    }
    lines.clear();
    levels.clear();
}
