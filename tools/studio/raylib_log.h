// raylib's log as the studio routes it. raylib writes a line for nearly every
// call at level INFO; the studio keeps warnings and errors only, prints them
// on standard error, and collects them instead while a LogCapture lives (the
// shader compiler's messages, the reason a window cannot open).
#pragma once

#include <string>
#include <vector>

// Installs the routing; call once, before anything else of raylib's.
void RouteRaylibLog();

// Collects raylib's warnings and errors from construction to destruction,
// instead of printing them. A capture made while another lives takes the
// lines until it ends; the other then collects again.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The lines so far, as raylib formatted them, without a level prefix.
    const std::vector<std::string>& Lines() const;
    // Prints the lines so far as RouteRaylibLog would have, and forgets them.
    void PassOn();

private:
    std::vector<std::string> lines;
    std::vector<std::string>* outer;
};
