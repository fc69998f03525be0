#include "mastering/ogg_vorbis_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>

#include "stereo_buffer.h"

namespace {

constexpr int kStreamSerial = 0x51756f72;  // any fixed number keeps the output reproducible
constexpr int kBlockFrames = 4096;

void AppendPages(ogg_stream_state& stream, std::string& out, bool flush)
{
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
    }
}

void DrainPackets(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream, std::string& out)
{
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
            AppendPages(stream, out, false);
        }
    }
}

}  // namespace

std::string EncodeOggVorbis(const StereoBuffer& audio, float quality)
{
    if (!(quality >= -0.1f && quality <= 1.0f))
        throw std::invalid_argument("Vorbis quality runs from -0.1 to 1.0");
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, audio.sampleRate, quality) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error("the Vorbis encoder cannot encode at this sample rate");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Quorl");
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, kStreamSerial);

    std::string out;
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    AppendPages(stream, out, true);  // audio starts on a fresh page

    for (std::size_t first = 0; first < audio.Frames(); first += kBlockFrames) {
        const std::size_t count = std::min<std::size_t>(kBlockFrames, audio.Frames() - first);
        float** channels = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        std::copy_n(audio.left.begin() + static_cast<std::ptrdiff_t>(first), count, channels[0]);
        std::copy_n(audio.right.begin() + static_cast<std::ptrdiff_t>(first), count, channels[1]);
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        DrainPackets(dsp, block, stream, out);
    }
    vorbis_analysis_wrote(&dsp, 0);
    DrainPackets(dsp, block, stream, out);
    AppendPages(stream, out, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}
