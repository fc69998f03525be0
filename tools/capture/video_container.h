// The video files that quorl-capture writes: for each file name extension,
// ffmpeg's name of the container, the codecs that go into it and the bytes
// that every such file holds near its start. The command line checks names
// against this table, the encoder's command line is built from it, and a file
// that ffmpeg wrote is checked against it before it gets its name.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

struct VideoContainer {
    std::string_view extension;
    std::string_view format;  // ffmpeg's name, as the file is written under another name
    std::string_view codecs;  // ffmpeg's options, separated by spaces
    std::size_t signatureOffset;
    std::string_view signature;

    // How many bytes from the start Recognizes needs.
    std::size_t SignatureEnd() const { return signatureOffset + signature.size(); }
    // Whether a file that starts with `start` can be one of these; an empty
    // or cut-off one cannot.
    bool Recognizes(std::span<const unsigned char> start) const;
};

// The container for a file name's extension; null for one we do not write.
const VideoContainer* FindVideoContainer(std::string_view fileName);
