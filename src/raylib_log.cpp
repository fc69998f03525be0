// The routing of raylib's log.
#include "raylib_log.h"

#include <raylib.h>

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace {

std::vector<std::string>* capturing = nullptr;
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

void Print(const std::string& line)
{
    std::fprintf(stderr, "raylib: %s\n", line.c_str());
}

void Route(int /*level*/, const char* text, va_list args)
{
    std::string line = Format(text, args);
    if (capturing != nullptr) {
        capturing->push_back(std::move(line));
    } else {
        Print(line);
    }
}

}  // namespace

void RouteRaylibLog()
{
    SetTraceLogLevel(LOG_WARNING);
    SetTraceLogCallback(Route);
    routedForGood = true;
}

LogCapture::LogCapture() : outer(std::exchange(capturing, &lines))
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
    for (const std::string& line : lines) Print(line);
    lines.clear();
}
