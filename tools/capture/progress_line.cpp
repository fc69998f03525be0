#include "progress_line.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>

namespace {

std::string Duration(double seconds)
{
    const long whole = std::lround(seconds);
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%ldh%02ldm%02lds", whole / 3600, whole / 60 % 60, whole % 60);
    } else if (whole >= 60) {
        std::snprintf(text, sizeof text, "%ldm%02lds", whole / 60, whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lds", whole);
    }
    return text;
}

}  // namespace

std::string ProgressLine(std::size_t done, std::size_t total, double elapsedSeconds)
{
    char text[96];
    if (done == 0 || elapsedSeconds <= 0.0) {
        std::snprintf(text, sizeof text, "frame %zu of %zu", done, total);
        return text;
    }
    const double rate = static_cast<double>(done) / elapsedSeconds;
    std::snprintf(text, sizeof text, "frame %zu of %zu, %.2f frames/s, %s left", done, total, rate,
                  Duration(static_cast<double>(total - done) / rate).c_str());
    return text;
}

ProgressReport::ProgressReport(std::size_t frames) : total(frames), onTerminal(isatty(fileno(stderr)) != 0) {}

ProgressReport::~ProgressReport()
{
    if (onTerminal && done > 0) std::fputc('\n', stderr);
}

void ProgressReport::FrameDone()
{
    ++done;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "%s%c", ProgressLine(done, total, elapsed.count()).c_str(), onTerminal ? '\r' : '\n');
}
