// A MusicPlayer for tests, modelled on a sound device that mixes in periods:
// while playing, the position read advances in whole periods of real time
// from where the music was started or moved to, as raylib's does. The test
// sets the timer with AdvanceTo.
#pragma once

#include <cmath>

#include "music_player.h"

class SimulatedMusic : public MusicPlayer {
public:
    explicit SimulatedMusic(double mixingPeriod = 0.02) : period(mixingPeriod) {}

    void AdvanceTo(double timer) { now = timer; }

    void Play() override
    {
        anchor = now;
        playing = true;
    }
    void Pause() override
    {
        base = Position();
        playing = false;
    }
    void Seek(double seconds) override
    {
        base = seconds;
        anchor = now;
        ++seeks;
    }
    void Feed() override { ++feeds; }
    double Position() const override
    {
        return playing ? base + std::floor((now - anchor) / period) * period : base;
    }

    bool Playing() const { return playing; }
    int seeks = 0;
    int feeds = 0;

private:
    double period;
    double now = 0.0;
    double base = 0.0;
    double anchor = 0.0;
    bool playing = false;
};
