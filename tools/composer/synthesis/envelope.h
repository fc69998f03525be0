// The attack–decay–sustain–release envelope of one note whose length is known
// when it starts: a linear attack, exponential decay toward the sustain level
// and exponential release after the note's gate closes, tapered to exactly
// zero at its end so that no note stops with a click.
#pragma once

#include <cstddef>

struct EnvelopeShape {
    double attackSeconds;
    double decaySeconds;  // time constant of the fall to the sustain level
    double sustainLevel;
    double releaseSeconds;  // time constant of the fall after the gate
};

class Envelope {
public:
    Envelope(const EnvelopeShape& shape, double gateSeconds, double sampleRate);

    float Next();
    // Frames from the start of the note to the end of its release.
    std::size_t LengthFrames() const { return gateFrames + releaseFrames; }

private:
    double attackStep;
    double decayFactor;
    double sustainLevel;
    double releaseFactor;
    std::size_t gateFrames;
    std::size_t releaseFrames;
    std::size_t frame = 0;
    double level = 0.0;
    bool attacking = true;
};
