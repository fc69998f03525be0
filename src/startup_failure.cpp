// The wording of start-up failures.
#include "startup_failure.h"

#include "compiler_messages.h"

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

bool AnyHolds(std::span<const std::string> logged, std::string_view text)
{
    for (const std::string& line : logged) {
        if (line.find(text) != std::string::npos) return true;
    }
    return false;
}

std::string_view FirstMessage(std::string_view infoLog)
{
    constexpr std::string_view kBlank = " \t\r\n";
    const std::size_t start = infoLog.find_first_not_of(kBlank);
    if (start == std::string_view::npos) return {};
    const std::string_view line = infoLog.substr(start, infoLog.find('\n', start) - start);
    return line.substr(0, line.find_last_not_of(kBlank) + 1);
}

}  // namespace

std::string ShaderFailureLine(ShaderStep step, std::string_view infoLog)
{
    const std::string_view first = FirstMessage(infoLog);
    return std::string("the demo's shader does not ") + (step == ShaderStep::Compile ? "compile" : "link") +
           (first.empty() ? "" : ": " + std::string(first));
}

std::string ShaderFailureLine(std::span<const std::string> raylibLog)
{
    const bool linking = AnyHolds(raylibLog, "Failed to link") || AnyHolds(raylibLog, "Link error: ");
    return ShaderFailureLine(linking ? ShaderStep::Link : ShaderStep::Compile, CompilerMessages(raylibLog));
}

std::string WindowFailureLine(std::span<const std::string> raylibLog)
{
    const std::string reason = LastAfter(raylibLog, "Description: ");
    if (reason.empty()) return "cannot open a window (is there a display with OpenGL 3.3?)";
    // GLFW_VERSION_UNAVAILABLE: a display, but no context of the version asked for.
    if (AnyHolds(raylibLog, "Error: 65543 ")) {
        return "cannot open a window: the graphics driver has no OpenGL 3.3 (" + reason + ")";
    }
    return "cannot open a window: " + reason;
}

std::string SoundDeviceFailureLine(std::span<const std::string> raylibLog)
{
    return SoundFailureLine(LastAfter(raylibLog, "AUDIO: "));
}

std::string SoundFailureLine(std::string_view reason)
{
    return reason.empty() ? "cannot open the sound device" : "cannot open the sound device: " + std::string(reason);
}

std::string MusicFailureLine(std::string_view fileType)
{
    return "cannot decode the music: its " + std::string(fileType) + " data is not readable";
}

std::string RenderTargetFailureLine(PixelSize size)
{
    return "the graphics driver cannot make a " + std::to_string(size.width) + "x" + std::to_string(size.height) +
           " off-screen target to render into";
}
