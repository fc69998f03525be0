#include "score/pitch.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace {

// Semitones above C of the natural notes C D E F G A B.
int NaturalSemitone(char letter)
{
    switch (letter) {
    case 'C': return 0;
    case 'D': return 2;
    case 'E': return 4;
    case 'F': return 5;
    case 'G': return 7;
    case 'A': return 9;
    case 'B': return 11;
    default: return -1;
    }
}

[[noreturn]] void RejectPitch(std::string_view name)
{
    throw std::invalid_argument("not a pitch: \"" + std::string(name) + "\"");
}

}  // namespace

int ParsePitch(std::string_view name)
{
    if (name.empty()) RejectPitch(name);
    int semitone = NaturalSemitone(name[0]);
    if (semitone < 0) RejectPitch(name);
    std::size_t next = 1;
    if (next < name.size() && (name[next] == '#' || name[next] == 'b')) {
        semitone += name[next] == '#' ? 1 : -1;
        ++next;
    }
    const std::string_view octaveText = name.substr(next);
    int octave = 0;
    if (octaveText == "-1") {
        octave = -1;
    } else if (octaveText.size() == 1 && octaveText[0] >= '0' && octaveText[0] <= '9') {
        octave = octaveText[0] - '0';
    } else {
        RejectPitch(name);
    }
    return 12 * (octave + 1) + semitone;
}

double PitchToFrequency(double midiNote) { return 440.0 * std::exp2((midiNote - 69.0) / 12.0); }
