// Formatting of the overlay.
#include "overlay_text.h"

#include <cstdio>

#include "sync/tempo.h"

std::string OverlayText(const OverlayReadings& readings)
{
    const double row = SecondsToRows(readings.seconds);
    char text[320];
    std::snprintf(text, sizeof text,
                  "%.1f fps  %.1f ms\n"
                  "%.3f s  row %.2f  beat %.2f\n"
                  "scale %.3g (%dx%d)  %s\n"
                  "loop rows %.2f-%.2f %s",
                  readings.framesPerSecond, readings.frameMilliseconds, readings.seconds, row, row / ROWS_PER_BEAT,
                  readings.scale, readings.target.width, readings.target.height,
                  readings.playing ? "playing" : "paused", SecondsToRows(readings.loop.start),
                  SecondsToRows(readings.loop.end), readings.loop.enabled ? "on" : "off");
    return text;
}
