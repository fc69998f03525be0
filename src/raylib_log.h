// raylib's log, routed: raylib writes a line for nearly every call at level
// INFO; a front end that routes the log keeps warnings and errors only, prints
// them on standard error, and collects them instead while a LogCapture lives
// (the shader compiler's messages, the reason a window cannot open).
#pragma once

#include <string>
#include <vector>

// Installs the routing for good; call once, before anything else of raylib's.
void RouteRaylibLog();

// Collects raylib's lines from construction to destruction, instead of
// printing them. A capture made while another lives takes the lines until it
// ends; the other then collects again. Where the log is not routed for good,
// raylib prints its lines itself again once the last capture ends.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The lines so far, as raylib formatted them, without a level prefix.
    const std::vector<std::string>& Lines() const;
    // Prints the lines so far as the routing prints them, and forgets them.
    void PassOn();

private:
    std::vector<std::string> lines;
    std::vector<std::string>* outer;
};
