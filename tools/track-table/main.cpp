// quorl-track-table: turns the readable choreography (assets/tracks.txt) into
// the binary track table that the executable embeds.
//
//   quorl-track-table INPUT.txt OUTPUT.bin
//
// Every mistake in the text is reported with its line number, and nothing is
// written unless the whole file is valid.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "pending_file.h"

namespace {

struct Key {
    std::int32_t row;
    float value;
    std::int32_t type;
};

struct Track {
    std::string name;
    std::vector<Key> keys;
};

struct ParseError {
    int line;
    std::string message;
};

const char* const kTypeNames[] = {"step", "linear", "smooth", "ramp"};

std::int32_t ParseType(const std::string& word, int line)
{
    for (std::int32_t type = 0; type < 4; ++type) {
        if (word == kTypeNames[type]) return type;
    }
    throw ParseError{line, "unknown key type '" + word + "' (step, linear, smooth or ramp)"};
}

std::int32_t ParseRow(const std::string& word, int line)
{
    char* end = nullptr;
    errno = 0;
    const long long row = std::strtoll(word.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || row < INT32_MIN || row > INT32_MAX) {
        throw ParseError{line, "row '" + word + "' is not a whole number in the 32-bit range"};
    }
    return static_cast<std::int32_t>(row);
}

float ParseValue(const std::string& word, int line)
{
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(word.c_str(), &end);
    if (*end != '\0' || errno != 0 || !std::isfinite(value)) {
        throw ParseError{line, "value '" + word + "' is not a finite number"};
    }
    return value;
}

std::vector<Track> Parse(std::istream& in)
{
    std::vector<Track> tracks;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        text = text.substr(0, text.find('#'));
        std::istringstream words(text);
        std::vector<std::string> fields;
        for (std::string word; words >> word;) fields.push_back(word);
        if (fields.empty()) continue;

        if (fields[0] == "track") {
            if (fields.size() != 2) throw ParseError{line, "expected 'track NAME'"};
            if (fields[1].size() > 254) throw ParseError{line, "track name longer than 254 bytes"};
            for (const Track& track : tracks) {
                if (track.name == fields[1]) throw ParseError{line, "track '" + fields[1] + "' defined twice"};
            }
            if (tracks.size() == 255) throw ParseError{line, "more than 255 tracks"};
            tracks.push_back({fields[1], {}});
            continue;
        }
        if (tracks.empty()) throw ParseError{line, "key before the first 'track NAME'"};
        if (fields.size() != 3) throw ParseError{line, "expected 'ROW VALUE TYPE'"};
        Track& track = tracks.back();
        const Key key{ParseRow(fields[0], line), ParseValue(fields[1], line), ParseType(fields[2], line)};
        if (!track.keys.empty() && key.row <= track.keys.back().row) {
            throw ParseError{line, "row " + fields[0] + " does not come after row " +
                                       std::to_string(track.keys.back().row)};
        }
        if (track.keys.size() == 65535) throw ParseError{line, "more than 65535 keys in one track"};
        track.keys.push_back(key);
    }
    return tracks;
}

void PutLittleEndian(std::string& out, std::uint32_t bits, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(bits >> (8 * i) & 0xFF));
}

std::string Encode(const std::vector<Track>& tracks)
{
    std::string out;
    PutLittleEndian(out, static_cast<std::uint32_t>(tracks.size()), 1);
    for (const Track& track : tracks) {
        PutLittleEndian(out, static_cast<std::uint32_t>(track.name.size() + 1), 1);
        out += track.name;
        out.push_back('\0');
        PutLittleEndian(out, static_cast<std::uint32_t>(track.keys.size()), 2);
        for (const Key& key : track.keys) {
            std::uint32_t valueBits;
            static_assert(sizeof valueBits == sizeof key.value);
            std::memcpy(&valueBits, &key.value, sizeof valueBits);
            PutLittleEndian(out, static_cast<std::uint32_t>(key.row), 4);
            PutLittleEndian(out, valueBits, 4);
            PutLittleEndian(out, static_cast<std::uint32_t>(key.type), 4);
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: quorl-track-table INPUT.txt OUTPUT.bin\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "quorl-track-table: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::string table;
    try {
        table = Encode(Parse(in));
    } catch (const ParseError& error) {
        std::cerr << argv[1] << ":" << error.line << ": " << error.message << "\n";
        return 1;
    }

    try {
        PendingFile(argv[2]).Commit({reinterpret_cast<const unsigned char*>(table.data()), table.size()});
    } catch (const std::exception& error) {
        std::cerr << "quorl-track-table: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
