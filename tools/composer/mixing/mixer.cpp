#include "mixing/mixer.h"

#include <array>

#include "instruments/bass_synths.h"
#include "instruments/drum_kit.h"
#include "instruments/keys_synth.h"
#include "instruments/lead_synth.h"
#include "instruments/pad_synth.h"
#include "instruments/pluck_synth.h"
#include "instruments/transition_effects.h"
#include "instruments/voice_output.h"
#include "mixing/reverb.h"
#include "mixing/sidechain.h"
#include "mixing/stereo_delay.h"
#include "score/music_timing.h"
#include "synthesis/filters.h"

namespace {

struct ChannelStrip {
    Part Score::*part;
    Instrument instrument;
    float level;
    float duckDepth;  // how far the part gives way to the kick
    float reverbSend;
    float delaySend;
    double lowCutHertz;  // 0 keeps the lows
    double resonance;    // of the brightness filter
};

struct ShelfSettings {
    double corner;  // Hz
    double gainDecibels;
};

constexpr std::array kChannelStrips{
    //           part                   instrument          level   duck   reverb delay  low cut resonance
    ChannelStrip{&Score::kick,          PlayKick,           0.78f,  0.0f,  0.0f,  0.0f,    0.0, 0.7},
    ChannelStrip{&Score::snare,         PlaySnare,          0.90f,  0.0f,  0.22f, 0.0f,   90.0, 0.7},
    ChannelStrip{&Score::closedHat,     PlayClosedHat,      0.70f,  0.0f,  0.05f, 0.0f,    0.0, 0.7},
    ChannelStrip{&Score::openHat,       PlayOpenHat,        0.50f,  0.0f,  0.10f, 0.0f,    0.0, 0.7},
    ChannelStrip{&Score::crash,         PlayCrash,          0.20f,  0.0f,  0.20f, 0.0f,    0.0, 0.7},
    ChannelStrip{&Score::riser,         PlayRiser,          0.16f,  0.0f,  0.30f, 0.0f,    0.0, 0.7},
    ChannelStrip{&Score::reverseCymbal, PlayReverseCymbal,  0.22f,  0.0f,  0.20f, 0.0f,    0.0, 0.7},
    ChannelStrip{&Score::impact,        PlayImpact,         0.40f,  0.0f,  0.12f, 0.0f,    0.0, 0.7},
    ChannelStrip{&Score::subBass,       PlaySubBassNote,    0.27f,  0.92f, 0.0f,  0.0f,    0.0, 0.7},
    ChannelStrip{&Score::reeseBass,     PlayReeseBassNote,  0.18f,  0.6f,  0.0f,  0.0f,  110.0, 1.3},
    ChannelStrip{&Score::pad,           PlayPadNote,        0.063f, 0.5f,  0.35f, 0.0f,  200.0, 0.8},
    ChannelStrip{&Score::stabs,         PlayPluck,          0.20f,  0.4f,  0.30f, 0.20f, 160.0, 0.8},
    ChannelStrip{&Score::arpeggio,      PlayPluck,          0.14f,  0.35f, 0.30f, 0.30f, 200.0, 0.9},
    ChannelStrip{&Score::keys,          PlayKeysNote,       0.115f, 0.2f,   0.40f, 0.20f, 120.0, 0.7},
    ChannelStrip{&Score::lead,          PlayLeadNote,       0.20f,  0.25f, 0.25f, 0.30f, 150.0, 0.7},
};

constexpr float kReverbReturn = 1.4f;
constexpr float kEchoReturn = 0.5f;
constexpr float kEchoIntoReverb = 0.3f;
constexpr float kReturnDuckDepth = 0.4f;
constexpr double kMasterLowCutHertz = 22.0;
// The tone of the whole: a little less weight under the kick's body, and the
// presence and air that carry the hats, the snare's crack and the upper
// partials of the synths.
constexpr ShelfSettings kMasterLowShelf{120.0, -1.5};
constexpr ShelfSettings kMasterHighShelf{2000.0, 3.5};
constexpr std::size_t kAutomationStepFrames = 32;

double FrameToRow(std::size_t frame, int sampleRate)
{
    return SecondsToRows(static_cast<double>(frame) / sampleRate);
}

void FilterBrightness(StereoBuffer& stem, const AutomationCurve& brightness, double resonance)
{
    StateVariableFilter left(brightness.At(0), resonance, stem.sampleRate);
    StateVariableFilter right(brightness.At(0), resonance, stem.sampleRate);
    for (std::size_t i = 0; i < stem.Frames(); ++i) {
        if (i % kAutomationStepFrames == 0) {
            const double cutoff = brightness.At(FrameToRow(i, stem.sampleRate));
            left.Tune(cutoff, resonance);
            right.Tune(cutoff, resonance);
        }
        stem.left[i] = left.Process(stem.left[i]).lowPass;
        stem.right[i] = right.Process(stem.right[i]).lowPass;
    }
}

void CutLows(StereoBuffer& stem, double cutoff)
{
    StateVariableFilter left(cutoff, 0.7071, stem.sampleRate);
    StateVariableFilter right(cutoff, 0.7071, stem.sampleRate);
    for (std::size_t i = 0; i < stem.Frames(); ++i) {
        stem.left[i] = left.Process(stem.left[i]).highPass;
        stem.right[i] = right.Process(stem.right[i]).highPass;
    }
}

void Shelve(StereoBuffer& stem, const Biquad& shelf)
{
    Biquad left = shelf;
    Biquad right = shelf;
    for (std::size_t i = 0; i < stem.Frames(); ++i) {
        stem.left[i] = static_cast<float>(left.Process(stem.left[i]));
        stem.right[i] = static_cast<float>(right.Process(stem.right[i]));
    }
}

void ApplyLevel(StereoBuffer& stem, const AutomationCurve& level, float gain)
{
    for (std::size_t i = 0; i < stem.Frames(); ++i) {
        const auto amount = static_cast<float>(gain * level.At(FrameToRow(i, stem.sampleRate)));
        stem.left[i] *= amount;
        stem.right[i] *= amount;
    }
}

void AddInto(StereoBuffer& sum, const StereoBuffer& stem, float gain)
{
    for (std::size_t i = 0; i < sum.Frames(); ++i) {
        sum.left[i] += gain * stem.left[i];
        sum.right[i] += gain * stem.right[i];
    }
}

}  // namespace

StereoBuffer MixScore(const Score& score)
{
    const std::size_t frames = PieceFrames();
    const std::vector<float> ducking = KickDucking(score.kick.notes, frames, kMusicSampleRate);
    StereoBuffer mix(frames, kMusicSampleRate);
    StereoBuffer reverbSend(frames, kMusicSampleRate);
    StereoBuffer delaySend(frames, kMusicSampleRate);

    for (const ChannelStrip& strip : kChannelStrips) {
        const Part& part = score.*strip.part;
        if (part.notes.empty()) continue;
        StereoBuffer stem(frames, kMusicSampleRate);
        for (const NoteEvent& note : part.notes) strip.instrument(stem, note);
        if (part.brightness) FilterBrightness(stem, *part.brightness, strip.resonance);
        if (strip.lowCutHertz > 0.0) CutLows(stem, strip.lowCutHertz);
        ApplyLevel(stem, part.level, strip.level);
        if (strip.duckDepth > 0.0f) Duck(stem, ducking, strip.duckDepth);
        AddInto(mix, stem, 1.0f);
        if (strip.reverbSend > 0.0f) AddInto(reverbSend, stem, strip.reverbSend);
        if (strip.delaySend > 0.0f) AddInto(delaySend, stem, strip.delaySend);
    }

    StereoBuffer echoes = Echo(delaySend, DelaySettings{});
    AddInto(reverbSend, echoes, kEchoIntoReverb);
    StereoBuffer reverb = Reverberate(reverbSend, ReverbSettings{});
    Duck(echoes, ducking, kReturnDuckDepth);
    Duck(reverb, ducking, kReturnDuckDepth);
    AddInto(mix, echoes, kEchoReturn);
    AddInto(mix, reverb, kReverbReturn);
    CutLows(mix, kMasterLowCutHertz);
    Shelve(mix, Biquad::LowShelf(kMasterLowShelf.corner, kMasterLowShelf.gainDecibels, mix.sampleRate));
    Shelve(mix, Biquad::HighShelf(kMasterHighShelf.corner, kMasterHighShelf.gainDecibels, mix.sampleRate));
    return mix;
}
