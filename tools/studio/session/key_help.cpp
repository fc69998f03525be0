// The studio's key table.
#include "key_help.h"

#include <raylib.h>

namespace {

constexpr KeyModifiers kShift{true, false};
constexpr KeyModifiers kControl{false, true};
constexpr KeyModifiers kControlShift{true, true};

constexpr KeyHelpRow kPlaying[] = {
    {"Space", "play or pause", {{{KEY_SPACE}}}},
    {"Left, Right", "step a beat (4 rows); with Shift a bar, with Ctrl a row",
     {{{KEY_LEFT}, {KEY_RIGHT}, {KEY_LEFT, kShift}, {KEY_RIGHT, kShift}, {KEY_LEFT, kControl}, {KEY_RIGHT, kControl}}}},
    {"Home, End", "go to the first row, or the last before the end", {{{KEY_HOME}, {KEY_END}}}},
    {"[, ]", "set the loop's start or end at the playhead", {{{KEY_LEFT_BRACKET}, {KEY_RIGHT_BRACKET}}}},
    {"L", "turn the loop on or off", {{{KEY_L}}}},
};

constexpr KeyHelpRow kTimeline[] = {
    {"Click, drag on the rows", "scrub, and make that lane the current one", {}},
    {"Click a lane's label", "make the lane current", {}},
    {"Mouse wheel", "zoom about the pointer", {}},
    {", and .", "go to the current lane's key before or after the playhead", {{{KEY_COMMA}, {KEY_PERIOD}}}},
    {"Page Up, Page Down", "go to the marker before or after the playhead", {{{KEY_PAGE_UP}, {KEY_PAGE_DOWN}}}},
};

constexpr KeyHelpRow kSelecting[] = {
    {"Click a key", "select it, and only it", {}},
    {"Shift+click a key", "add it to the selection or take it out", {}},
    {"Ctrl+drag", "select the keys in the box, across lanes; with Shift, add them", {}},
    {"Ctrl+A", "select the current lane's keys; again, every key", {{{KEY_A, kControl}}}},
    {"Escape", "give up typing, a drag or the selection; then quit", {{{KEY_ESCAPE}}}},
};

constexpr KeyHelpRow kEditing[] = {
    {"Drag selected keys", "move them by beats; with Shift by rows", {}},
    {"I, double click", "insert a key at the playhead on the current lane", {{{KEY_I}}}},
    {"Delete, Backspace", "delete the selected keys, or the selected marker", {{{KEY_DELETE}, {KEY_BACKSPACE}}}},
    {"T", "cycle the type: step, linear, smooth, ramp", {{{KEY_T}}}},
    {"1 to 4", "set the type: step, linear, smooth, ramp",
     {{{KEY_ONE}, {KEY_TWO}, {KEY_THREE}, {KEY_FOUR}}}},
    {"Enter", "type the value (Enter applies, Escape gives up)", {{{KEY_ENTER}, {KEY_KP_ENTER}}}},
    {"Up, Down", "nudge the value; with Shift ten times finer",
     {{{KEY_UP}, {KEY_DOWN}, {KEY_UP, kShift}, {KEY_DOWN, kShift}}}},
    {"Ctrl+Z", "undo", {{{KEY_Z, kControl}}}},
    {"Ctrl+Shift+Z, Ctrl+Y", "redo", {{{KEY_Z, kControlShift}, {KEY_Y, kControl}}}},
};

constexpr KeyHelpRow kCopying[] = {
    {"Ctrl+C", "copy the selected keys, also as lines of tracks.txt", {{{KEY_C, kControl}}}},
    {"Ctrl+X", "cut them", {{{KEY_X, kControl}}}},
    {"Ctrl+V", "paste keys with the earliest at the playhead", {{{KEY_V, kControl}}}},
};

constexpr KeyHelpRow kTime[] = {
    {"=", "insert a beat of time at the playhead; with Shift a bar",
     {{{KEY_EQUAL}, {KEY_EQUAL, kShift}, {KEY_KP_ADD}, {KEY_KP_ADD, kShift}}}},
    {"-", "remove the loop's span, else a beat at the playhead; with Shift a bar",
     {{{KEY_MINUS}, {KEY_MINUS, kShift}, {KEY_KP_SUBTRACT}, {KEY_KP_SUBTRACT, kShift}}}},
};

constexpr KeyHelpRow kMarkers[] = {
    {"M", "add a marker at the playhead and type its name", {{{KEY_M}}}},
    {"Click a marker's name", "select the marker and rename it", {}},
};

constexpr KeyHelpRow kStudio[] = {
    {"Tab", "show or hide the timeline", {{{KEY_TAB}}}},
    {"F", "show or hide the overlay", {{{KEY_F}}}},
    {"F1", "show or hide the help with every key (Escape hides it too)", {{{KEY_F1}}}},
    {"F11", "full screen on the window's monitor", {{{KEY_F11}}}},
    {"F12", "save a screenshot in the working directory", {{{KEY_F12}}}},
    {"Ctrl+S", "write a deleted tracks.txt back from the studio's text", {{{KEY_S, kControl}}}},
};

constexpr KeyHelpGroup kGroups[] = {
    {"Playing", kPlaying},   {"The timeline", kTimeline}, {"Selecting", kSelecting}, {"Editing keys", kEditing},
    {"Copy and paste", kCopying}, {"Time", kTime},        {"Markers", kMarkers},     {"The studio", kStudio},
};

}  // namespace

std::span<const KeyHelpGroup> StudioKeyHelp()
{
    return kGroups;
}

std::string KeyHelpMarkdown()
{
    std::string markdown;
    for (const KeyHelpGroup& group : kGroups) {
        markdown += (markdown.empty() ? "*" : "\n*") + std::string(group.title) + "*\n\n";
        for (const KeyHelpRow& row : group.rows) {
            markdown += "- **" + std::string(row.keys) + "**: " + std::string(row.does) + "\n";
        }
    }
    return markdown;
}
