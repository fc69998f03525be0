// The headless harness is a shell script and keeps its own copy of the music's
// rate, in the ALSA device it sets up and in the ffmpeg that paces it. The
// recording check reads what it records at the C++ rate, so the copies must be
// that rate: a device at another rate would resample the music on its way in.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "music_format.h"

namespace {

std::string HarnessScript()
{
    std::ifstream in(QUORL_HEADLESS_SCRIPT, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The numbers the script gives a setting, as in "rate N", in order.
std::vector<long> NumbersAfter(const std::string& script, const std::string& setting)
{
    std::vector<long> numbers;
    for (std::size_t at = script.find(setting); at != std::string::npos; at = script.find(setting, at + 1)) {
        const char* value = script.c_str() + at + setting.size();
        if (std::isdigit(static_cast<unsigned char>(*value))) numbers.push_back(std::strtol(value, nullptr, 10));
    }
    return numbers;
}

TEST(HeadlessHarness, SoundDeviceTakesTheMusicAtItsRate)
{
    const std::string script = HarnessScript();
    ASSERT_FALSE(script.empty()) << "cannot read " << QUORL_HEADLESS_SCRIPT;
    const std::vector<long> musicRate{kMusicSampleRate};
    EXPECT_EQ(NumbersAfter(script, " rate "), musicRate) << "the ALSA device's rate";
    EXPECT_EQ(NumbersAfter(script, " -ar "), musicRate) << "the rate ffmpeg reads the device's samples at";
    // ffmpeg takes 10 ms of 16-bit stereo at a time, as a sound card takes its periods.
    EXPECT_EQ(NumbersAfter(script, " -blocksize "), std::vector<long>{kMusicSampleRate / 100 * 4});
}

}  // namespace
