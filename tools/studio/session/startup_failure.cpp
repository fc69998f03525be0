// Wording of start-up failures.
#include "startup_failure.h"

namespace {

// The text after `marker` in the last logged line that holds it.
std::string LastAfter(std::span<const std::string> logged, std::string_view marker)
{
    for (auto line = logged.rbegin(); line != logged.rend(); ++line) {
        const std::size_t at = line->find(marker);
        if (at != std::string::npos) return line->substr(at + marker.size());
    }
    return {};
}

}  // namespace

std::string StartupFailureLine(std::string_view failure, std::span<const std::string> logged)
{
    if (failure.find("Window") != std::string_view::npos) {
        const std::string reason = LastAfter(logged, "Description: ");
        return reason.empty() ? "cannot open a window (is there a display with OpenGL 3.3?)"
                              : "cannot open a window: " + reason;
    }
    if (failure.find("AudioDevice") != std::string_view::npos) {
        const std::string reason = LastAfter(logged, "AUDIO: ");
        return reason.empty() ? "cannot open the sound device" : "cannot open the sound device: " + reason;
    }
    return std::string(failure);
}
