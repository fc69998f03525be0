// Fuzzes the parser of the readable choreography: whatever the bytes, the
// result is either one mistake on a line of the text and no tracks, or tracks
// that the table can hold as they stand.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "sync/track_table.h"
#include "sync/track_text.h"

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "track text fuzzer: %s\n", what);
    std::abort();
}

void CheckMistake(const ParsedTrackText& parsed, std::string_view text)
{
    if (!parsed.tracks.empty()) Fail("tracks kept from a text with a mistake");
    const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (parsed.error->line < 1 || static_cast<std::size_t>(parsed.error->line) > lines) Fail("line out of the text");
    const std::string& message = parsed.error->message;
    if (message.empty() || message.find('\n') != std::string::npos) Fail("message is not one line");
}

void CheckTracks(const ParsedTrackText& parsed)
{
    if (parsed.tracks.empty() || parsed.tracks.size() > kMaxTableTracks) Fail("track count outside the table's");
    std::set<std::string> names;
    std::size_t tableSize = 1;
    for (const NamedTrack& track : parsed.tracks) {
        if (!names.insert(track.name).second) Fail("name given twice");
        if (track.name.empty() || track.name.size() >= kMaxTableNameSize) Fail("name size outside the table's");
        for (const char c : track.name) {
            if (static_cast<unsigned char>(c) <= ' ' || c == '#' || c == 0x7F) Fail("blank, comment or control in a name");
        }
        if (track.keys.size() > kMaxTableKeys) Fail("key count outside the table's");
        for (std::size_t k = 0; k < track.keys.size(); ++k) {
            const TrackKey& key = track.keys[k];
            if (k > 0 && key.row <= track.keys[k - 1].row) Fail("rows not strictly ascending");
            if (!std::isfinite(key.value)) Fail("value not finite");
            if (key.value == 0.0f && std::signbit(key.value)) Fail("negative zero");
            if (key.type < 0 || key.type > 3) Fail("unknown key type");
        }
        tableSize += 1 + track.name.size() + 1 + 2 + kTableKeyRecordSize * track.keys.size();
    }
    if (EncodeTrackTable(parsed.tracks).size() != tableSize) Fail("table size does not follow from the tracks");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ParsedTrackText parsed = ParseTrackText(text);
    if (parsed.error) {
        CheckMistake(parsed, text);
    } else {
        CheckTracks(parsed);
    }
    return 0;
}
