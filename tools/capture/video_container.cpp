#include "video_container.h"

#include <algorithm>

namespace {

// WebM holds neither H.264 nor AAC: VP9 and Opus are what it was made for.
// Matroska gets Vorbis, as it keeps no note of AAC's encoder delay: the sound
// would come 21 ms late.
// An MP4 file opens with its "ftyp" box; Matroska and WebM with the EBML
// header's identifier.
constexpr std::string_view kEbmlHeader = "\x1a\x45\xdf\xa3";
constexpr VideoContainer kContainers[] = {
    {".mp4", "mp4", "-c:v libx264 -preset medium -crf 18 -c:a aac -b:a 192k -movflags +faststart", 4, "ftyp"},
    {".mkv", "matroska", "-c:v libx264 -preset medium -crf 18 -c:a libvorbis -q:a 6", 0, kEbmlHeader},
    {".webm", "webm", "-c:v libvpx-vp9 -crf 30 -b:v 0 -row-mt 1 -cpu-used 4 -c:a libopus -b:a 160k", 0,
     kEbmlHeader},
};

}  // namespace

const VideoContainer* FindVideoContainer(std::string_view fileName)
{
    for (const VideoContainer& container : kContainers) {
        if (fileName.size() > container.extension.size() && fileName.ends_with(container.extension)) {
            return &container;
        }
    }
    return nullptr;
}

bool VideoContainer::Recognizes(std::span<const unsigned char> start) const
{
    const auto same = [](unsigned char byte, char expected) { return byte == static_cast<unsigned char>(expected); };
    return start.size() >= SignatureEnd() &&
           std::ranges::equal(start.subspan(signatureOffset, signature.size()), signature, same);
}
