// quorl-track-table: turns the readable choreography (assets/tracks.txt) into
// the binary track table that the executable embeds.
//
//   quorl-track-table INPUT.txt OUTPUT.bin
//
// A mistake in the text is reported as INPUT.txt:LINE: message, and nothing is
// written unless the whole file is valid. Exit status 0 on success, 1 when the
// text has a mistake or a file cannot be read or written, 2 for a wrong
// command line.
#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "pending_file.h"
#include "sync/track_table.h"
#include "sync/track_text.h"
#include "text/quoted_text.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: quorl-track-table INPUT.txt OUTPUT.bin\n";
        return 2;
    }
    LetWritesPastTheSizeLimitFail();
    errno = 0;
    std::ifstream in(argv[1], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || !in.is_open()) {
        std::cerr << "quorl-track-table: cannot read " << Quoted(argv[1]) << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    const ParsedTrackText parsed = ParseTrackText(text);
    if (parsed.error) {
        std::cerr << argv[1] << ":" << parsed.error->line << ": " << parsed.error->message << "\n";
        return 1;
    }
    try {
        const std::vector<unsigned char> table = EncodeTrackTable(parsed.tracks);
        PendingFile(argv[2]).Commit(table);
    } catch (const std::exception& error) {
        std::cerr << "quorl-track-table: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
