#include "soundtrack.h"

#include "mastering/ogg_vorbis_encoder.h"
#include "mixing/mixer.h"
#include "score/soundtrack_arrangement.h"

StereoBuffer RenderSoundtrack() { return Master(MixScore(WriteSoundtrackScore()), kSoundtrackMastering); }

std::string EncodeSoundtrack(const StereoBuffer& soundtrack)
{
    return EncodeOggVorbis(soundtrack, kSoundtrackVorbisQuality);
}
