// The headless harness is scripts and keeps its own copies of the music's
// rate: in the ALSA device that headless.sh sets up and in the sound card that
// takes what it plays (sound-sink.pl). The recording check reads what it
// records at the C++ rate, so the copies must be that rate: a device at
// another rate would resample the music on its way in.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "music_format.h"

namespace {

std::string Script(const std::string& name)
{
    std::ifstream in(std::string(QUORL_SCRIPTS) + "/" + name, std::ios::binary);
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
    const std::string harness = Script("headless.sh");
    const std::string card = Script("sound-sink.pl");
    ASSERT_FALSE(harness.empty() || card.empty()) << "cannot read the scripts in " << QUORL_SCRIPTS;
    const std::vector<long> musicRate{kMusicSampleRate};
    EXPECT_EQ(NumbersAfter(harness, " rate "), musicRate) << "the ALSA device's rate";
    EXPECT_EQ(NumbersAfter(card, "RATE => "), musicRate) << "the rate the card plays at";
    // The card takes 10 ms at a time, as a sound card takes its periods.
    EXPECT_EQ(NumbersAfter(card, "PERIOD_FRAMES => "), std::vector<long>{kMusicSampleRate / 100});
}

}  // namespace
