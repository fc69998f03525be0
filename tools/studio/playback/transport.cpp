// The transport: playhead moves, each followed by the music.
#include "transport.h"

#include <algorithm>
#include <cmath>

#include "sync/tempo.h"

bool LoopSpan::Active() const
{
    // A span marked a row apart reads a hair under a row in seconds.
    return enabled && SecondsToRows(end - start) >= 1.0 - 1e-9;
}

Transport::Transport(MusicPlayer& player, double demoEnd, double start, double now)
    : music(player), end(demoEnd), loop{0.0, LastShown(), false}
{
    Seek(start, now);
}

double Transport::LastShown() const
{
    return end > 0.0 ? std::nextafter(end, 0.0) : 0.0;
}

double Transport::Held(double target) const
{
    return std::clamp(target, 0.0, LastShown());
}

void Transport::Tick(double now)
{
    if (!playing) return;
    music.Feed();
    seconds = follower.Follow(now, music.Position());
    if (loop.Active() && seconds >= loop.end) {
        Seek(loop.start, now);
    } else if (seconds >= LastShown()) {
        // Past the end the last frame holds and the music stops with it.
        seconds = LastShown();
        Stop();
    }
}

void Transport::Stop()
{
    playing = false;
    music.Pause();
    music.Seek(seconds);
}

void Transport::TogglePlay(double now)
{
    if (playing) {
        Stop();
        return;
    }
    if (seconds >= LastShown()) Seek(loop.Active() ? loop.start : 0.0, now);
    playing = true;
    follower.Restart(seconds, now);
    music.Play();
}

void Transport::Seek(double target, double now)
{
    seconds = Held(target);
    music.Seek(seconds);
    follower.Restart(seconds, now);
}

void Transport::SeekRow(double row, double now)
{
    Seek(SecondsAtRow(row), now);
}

void Transport::StepRows(int rows, double now)
{
    if (rows == 0) return;
    const double step = std::abs(rows);
    const double row = SecondsToRows(seconds) / step;
    // A small tolerance keeps a playhead that sits on a multiple from counting
    // as just before or after it.
    constexpr double kOnMultiple = 1e-6;
    const double target = rows > 0 ? std::floor(row + kOnMultiple) + 1.0 : std::ceil(row - kOnMultiple) - 1.0;
    SeekRow(target * step, now);
}

void Transport::ToStart(double now)
{
    Seek(0.0, now);
}

void Transport::ToLastRow(double now)
{
    // The end is a reading to the last bit: its row may read a hair past
    // the whole row it stands for.
    constexpr double kRowNoise = 1e-6;
    double row = std::ceil(SecondsToRows(end) - kRowNoise) - 1.0;
    if (SecondsAtRow(row) >= end) row -= 1.0;
    SeekRow(std::max(row, 0.0), now);
}

void Transport::MarkLoopStart()
{
    loop.start = seconds;
    if (loop.end <= loop.start) loop.end = LastShown();
}

void Transport::MarkLoopEnd()
{
    loop.end = seconds;
    if (loop.start >= loop.end) loop.start = 0.0;
}

void Transport::ToggleLoop()
{
    loop.enabled = !loop.enabled;
}

void Transport::SetEnd(double newEnd, double now)
{
    end = newEnd;
    loop.start = Held(loop.start);
    loop.end = Held(loop.end);
    if (seconds > LastShown()) {
        if (playing) Stop();
        Seek(LastShown(), now);
    }
}
