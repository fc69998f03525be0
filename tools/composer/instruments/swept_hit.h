// The voice that the kick and the impact are made of: a centred hit whose body
// is a sine swept down in pitch, with a burst of low-passed noise on its attack.
// Each drum shapes the two into its own sound; this plays them for the hit's
// length, at its row and velocity.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>

#include "instruments/voice_output.h"
#include "synthesis/filters.h"
#include "synthesis/noise.h"

struct SweptHitVoice {
    std::uint32_t seed;  // the part's noise seed
    double seconds;
    double noiseCutoff;  // Hz, of the noise's one-pole low-pass
};

// pitchAt(t) gives the body's frequency in Hz t seconds into the hit;
// sampleAt(t, body, noise) mixes the body's sine and the filtered noise into
// the sample played then, before the hit's velocity.
template <typename PitchAt, typename SampleAt>
void PlaySweptHit(StereoBuffer& stem, const NoteEvent& hit, const SweptHitVoice& voice, PitchAt pitchAt,
                  SampleAt sampleAt)
{
    const double rate = stem.sampleRate;
    WhiteNoise noise(EventSeed(voice.seed, hit.row));
    OnePoleLowPass noiseTone(voice.noiseCutoff, rate);
    const PanGains centre = EqualPowerPan(0.0);
    const std::size_t start = NoteStartFrame(hit);
    double phase = 0.0;
    for (std::size_t i = 0; i < SecondsToFrames(voice.seconds, stem); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double body = std::sin(2.0 * std::numbers::pi * phase);
        phase += pitchAt(t) / rate;
        const double sample = sampleAt(t, body, static_cast<double>(noiseTone.Process(noise.Next())));
        AddPanned(stem, start + i, static_cast<float>(sample * hit.velocity), centre);
    }
}
