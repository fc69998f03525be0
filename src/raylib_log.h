// raylib's log, routed: raylib writes a line for nearly every call at level
// INFO; a front end that routes the log keeps warnings and errors only, prints
// them on standard error, and collects them instead while a LogCapture lives
// (the shader compiler's messages, the reason a window cannot open).
#pragma once

#include <string>
#include <vector>

// Installs the routing for good; call once, before anything else of raylib's.
void RouteRaylibLog();

// Whether a capture also passes its lines on as they come.
enum class LogEcho { Off, On };

// Collects raylib's warnings and errors from construction to destruction,
// instead of letting them through (LogEcho::Off) or besides (LogEcho::On).
// Lines of lower levels never say why something failed: they go on as they
// come, and are kept apart (raylib tells some facts only there; where its
// log level is above INFO, none come). A capture made while another lives takes the lines until it ends; the
// other then collects again, and a line that one passes on reaches the other.
// Where the log is not routed for good, a line that is let through is printed
// as raylib prints it, and raylib prints its lines itself again once the last
// capture ends.
class LogCapture {
public:
    explicit LogCapture(LogEcho echo = LogEcho::Off);
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The warnings and errors so far, as raylib formatted them, without a
    // level prefix.
    const std::vector<std::string>& Lines() const;
    // The lines of lower levels so far.
    const std::vector<std::string>& Information() const { return information; }
    // Lets the lines so far through, as if no capture had held them, and
    // forgets them. Nothing for an echoing capture, whose lines went through.
    void PassOn();

private:
    friend struct LogRouting;

    std::vector<std::string> lines;
    std::vector<int> levels;
    std::vector<std::string> information;
    LogEcho echo;
    LogCapture* outer;
};
