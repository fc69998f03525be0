#include "score/harmony.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "score/music_timing.h"
#include "score/notation.h"

void AppendProgression(std::vector<Chord>& progression, int firstBar, std::initializer_list<ChordSpan> chords)
{
    int row = BarToRow(firstBar);
    for (const ChordSpan& span : chords) {
        progression.push_back({row, std::string(span.chord.name), ParseVoicing(span.chord.voicing)});
        row += BarToRow(span.bars);
    }
}

const Chord& ChordAt(const std::vector<Chord>& progression, int row)
{
    const auto after = std::upper_bound(progression.begin(), progression.end(), row,
                                        [](int r, const Chord& chord) { return r < chord.row; });
    if (after == progression.begin()) throw std::out_of_range("no chord sounds at row " + std::to_string(row));
    return *(after - 1);
}

std::vector<NoteEvent> SustainChords(const std::vector<Chord>& progression, int firstRow, int endRow)
{
    std::vector<NoteEvent> notes;
    for (std::size_t i = 0; i < progression.size(); ++i) {
        const Chord& chord = progression[i];
        const int nextRow = i + 1 < progression.size() ? progression[i + 1].row : endRow;
        const int start = std::max(chord.row, firstRow);
        const int end = std::min(nextRow, endRow);
        if (end <= start) continue;
        for (const int pitch : chord.voicing) notes.push_back({start, end - start, pitch, 1.0f});
    }
    return notes;
}

std::vector<NoteEvent> StrikeChords(const std::vector<Chord>& progression, std::string_view rhythm, int lengthRows,
                                    int firstRow, int endRow)
{
    std::vector<NoteEvent> notes;
    const int rhythmRows = DrumLineRows(rhythm);
    for (int bar = firstRow; bar < endRow; bar += rhythmRows) {
        for (const NoteEvent& hit : ParseDrumLine(rhythm, bar)) {
            if (hit.row >= endRow) break;
            for (const int pitch : ChordAt(progression, hit.row).voicing)
                notes.push_back({hit.row, lengthRows, pitch, hit.velocity});
        }
    }
    return notes;
}

std::vector<NoteEvent> Arpeggiate(const std::vector<Chord>& progression, std::string_view figure, int firstRow,
                                  int endRow)
{
    std::vector<char> steps;
    for (const char symbol : figure) {
        if (symbol == ' ') continue;
        if (symbol != '.' && (symbol < '0' || symbol > '9'))
            throw std::invalid_argument("an arpeggio step must be a digit or '.': \"" + std::string(figure) + "\"");
        steps.push_back(symbol);
    }
    if (steps.empty()) throw std::invalid_argument("an empty arpeggio figure");
    std::vector<NoteEvent> notes;
    for (int row = firstRow; row < endRow; ++row) {
        const char step = steps[static_cast<std::size_t>(row - firstRow) % steps.size()];
        const std::vector<int>& voicing = ChordAt(progression, row).voicing;
        if (step == '.' || voicing.empty()) continue;
        const auto index = static_cast<std::size_t>(step - '0');
        const int octave = static_cast<int>(index / voicing.size());
        notes.push_back({row, 1, voicing[index % voicing.size()] + 12 * octave, 1.0f});
    }
    return notes;
}
