// The picture of a spectrum: well-formed whatever its title, with every band.
#include <gtest/gtest.h>

#include <string>

#include "music_format.h"
#include "spectrum_picture.h"
#include "synthesis/noise.h"

namespace {

TEST(SpectrumPicture, EscapesItsTitleAndDrawsEveryBand)
{
    StereoBuffer audio(kMusicSampleRate, kMusicSampleRate);
    WhiteNoise noise(5);
    for (std::size_t i = 0; i < audio.Frames(); ++i) audio.left[i] = audio.right[i] = 0.1f * noise.Next();
    const std::string svg = DrawSpectrumPicture(audio, "dark & <dull>");
    EXPECT_EQ(svg.rfind("<svg ", 0), 0u);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    EXPECT_NE(svg.find(">dark &amp; &lt;dull&gt;</text>"), std::string::npos);
    std::size_t bands = 0;
    for (std::size_t at = svg.find("<circle"); at != std::string::npos; at = svg.find("<circle", at + 1)) ++bands;
    EXPECT_EQ(bands, 21u) << "third-octave bands from 100 Hz to 10 kHz";
    EXPECT_EQ(svg, DrawSpectrumPicture(audio, "dark & <dull>"));
}

}  // namespace
