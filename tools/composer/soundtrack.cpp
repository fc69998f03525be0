#include "soundtrack.h"

#include "mixer.h"
#include "ogg_vorbis_encoder.h"
#include "soundtrack_arrangement.h"

StereoBuffer RenderSoundtrack() { return Master(MixScore(WriteSoundtrackScore()), kSoundtrackMastering); }

std::string EncodeSoundtrack(const StereoBuffer& soundtrack)
{
    return EncodeOggVorbis(soundtrack, kSoundtrackVorbisQuality);
}
