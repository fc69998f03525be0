// The readable choreography: what a valid text gives, and every kind of
// mistake reported on its own line with nothing parsed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "key_types.h"
#include "sync/track_text.h"

namespace {

// The line and message of the text's mistake; fails the test if it has none.
TrackTextError MistakeIn(std::string_view text)
{
    const ParsedTrackText parsed = ParseTrackText(text);
    EXPECT_TRUE(parsed.tracks.empty()) << "tracks are kept from a text with a mistake";
    if (!parsed.error) {
        ADD_FAILURE() << "no mistake found in:\n" << text;
        return {0, ""};
    }
    return *parsed.error;
}

#define EXPECT_MISTAKE(text, expectedLine, expectedMessage)                 \
    do {                                                                    \
        const TrackTextError mistake = MistakeIn(text);                     \
        EXPECT_EQ(mistake.line, expectedLine);                              \
        EXPECT_EQ(mistake.message, expectedMessage);                        \
    } while (false)

TEST(TrackTextParsing, ReadsTracksAndKeysInTheirOrder)
{
    const ParsedTrackText parsed = ParseTrackText(
        "# the fade\n"
        "track ftb\n"
        "    0   1    linear   # black\n"
        "   16   0.8  smooth\n"
        "\n"
        "track camera_position:x\r\n"
        "  -4  -5.7  ramp\r\n"
        "  128 250 step");
    ASSERT_FALSE(parsed.error) << parsed.error->message;
    EXPECT_EQ(parsed.tracks, (std::vector<NamedTrack>{
                                 {"ftb", {{0, 1.0f, kLinear}, {16, 0.8f, kSmooth}}},
                                 {"camera_position:x", {{-4, -5.7f, kRamp}, {128, 250.0f, kStep}}},
                             }));
}

TEST(TrackTextParsing, ByteOrderMarkThatAnEditorWroteIsSkipped)
{
    const ParsedTrackText parsed = ParseTrackText("\xEF\xBB\xBFtrack a\n0 1 step\n");
    ASSERT_FALSE(parsed.error) << parsed.error->message;
    EXPECT_EQ(parsed.tracks, (std::vector<NamedTrack>{{"a", {{0, 1.0f, kStep}}}}));
}

TEST(TrackTextParsing, TrackWithoutKeysIsKept)
{
    const ParsedTrackText parsed = ParseTrackText("track a\ntrack b\n0 1 step\n");
    ASSERT_FALSE(parsed.error);
    ASSERT_EQ(parsed.tracks.size(), 2u);
    EXPECT_TRUE(parsed.tracks.front().keys.empty());
}

TEST(TrackTextParsing, NegativeZeroBecomesPositiveZero)
{
    const ParsedTrackText parsed = ParseTrackText("track a\n0 -0 step\n1 -0.0e5 step\n2 -0x0p0 linear\n");
    ASSERT_FALSE(parsed.error);
    for (const TrackKey& key : parsed.tracks.front().keys) {
        EXPECT_EQ(key.value, 0.0f);
        EXPECT_FALSE(std::signbit(key.value)) << "row " << key.row;
    }
}

TEST(TrackTextParsing, ValuesRoundToTheNearestSinglePrecisionFloat)
{
    const ParsedTrackText parsed = ParseTrackText("track a\n0 0.1 step\n1 -1.900004 step\n2 3.4e38 step\n");
    ASSERT_FALSE(parsed.error);
    const std::vector<TrackKey>& keys = parsed.tracks.front().keys;
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].value, 0.1f);
    EXPECT_EQ(keys[1].value, -1.900004f);
    EXPECT_EQ(keys[2].value, 3.4e38f);
}

TEST(TrackTextParsing, RowsSpanThe32BitRange)
{
    const ParsedTrackText parsed = ParseTrackText("track a\n-2147483648 0 step\n2147483647 1 step\n");
    ASSERT_FALSE(parsed.error);
    const std::vector<TrackKey>& keys = parsed.tracks.front().keys;
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].row, -2147483647 - 1);
    EXPECT_EQ(keys[1].row, 2147483647);
}

TEST(TrackTextPlaces, EachTrackAndKeyKnowsItsLineAndItsWordsColumns)
{
    const ParsedTrackText parsed =
        ParseTrackText("# the fade\ntrack ftb\n    0   1    linear   # black\n\ntrack b\r\n\t16 -0.8 step\r\n");
    ASSERT_FALSE(parsed.error) << parsed.error->message;
    ASSERT_EQ(parsed.places.size(), 2u);
    EXPECT_EQ(parsed.places[0].line, 2);
    EXPECT_EQ(parsed.places[1].line, 5);
    ASSERT_EQ(parsed.places[0].keys.size(), 1u);
    ASSERT_EQ(parsed.places[1].keys.size(), 1u);
    const KeyTextPlace& first = parsed.places[0].keys[0];
    EXPECT_EQ(first.line, 3);
    EXPECT_EQ((std::pair{first.row.begin, first.row.end}), (std::pair<std::size_t, std::size_t>{4, 5}));
    EXPECT_EQ((std::pair{first.value.begin, first.value.end}), (std::pair<std::size_t, std::size_t>{8, 9}));
    EXPECT_EQ((std::pair{first.type.begin, first.type.end}), (std::pair<std::size_t, std::size_t>{13, 19}));
    const KeyTextPlace& second = parsed.places[1].keys[0];
    EXPECT_EQ(second.line, 6);
    EXPECT_EQ((std::pair{second.value.begin, second.value.end}), (std::pair<std::size_t, std::size_t>{4, 8}));
    EXPECT_EQ((std::pair{second.type.begin, second.type.end}), (std::pair<std::size_t, std::size_t>{9, 13}))
        << "the '\\r' is no part of the type";
    EXPECT_TRUE(ParseTrackText("track a\n0 x step\n").places.empty()) << "places of a text with a mistake";
}

TEST(TrackTextPlaces, AValueWordAloneReadsAsInAText)
{
    std::string problem;
    EXPECT_EQ(ReadKeyValue("-0", problem), 0.0f);
    EXPECT_FALSE(std::signbit(*ReadKeyValue("-0", problem)));
    EXPECT_EQ(ReadKeyValue("1e39", problem), std::nullopt);
    EXPECT_EQ(problem, "value '1e39' is too large for a 32-bit float");
}

TEST(TrackTextMistakes, TrackLineWithoutExactlyOneName)
{
    EXPECT_MISTAKE("track\n", 1, "expected 'track NAME'");
    EXPECT_MISTAKE("track a\n0 0 step\n\ntrack b c\n", 4, "expected 'track NAME'");
}

TEST(TrackTextMistakes, NameTooLongForTheTable)
{
    const std::string longest(254, 'n');
    EXPECT_FALSE(ParseTrackText("track " + longest + "\n").error);
    EXPECT_MISTAKE("# names\ntrack " + longest + "n\n", 2, "track name longer than 254 bytes");
}

TEST(TrackTextMistakes, TrackDefinedTwice)
{
    EXPECT_MISTAKE("track ftb\ntrack scene\ntrack ftb\n", 3, "track 'ftb' defined twice");
}

TEST(TrackTextMistakes, MoreTracksThanTheTableHolds)
{
    std::string text;
    for (int i = 0; i < 255; ++i) text += "track t" + std::to_string(i) + "\n";
    EXPECT_FALSE(ParseTrackText(text).error);
    EXPECT_MISTAKE(text + "track one_more\n", 256, "more than 255 tracks");
}

TEST(TrackTextMistakes, KeyBeforeTheFirstTrack)
{
    EXPECT_MISTAKE("# keys first\n0 1 step\ntrack a\n", 2, "key before the first 'track NAME'");
}

TEST(TrackTextMistakes, KeyWithoutRowValueAndType)
{
    EXPECT_MISTAKE("track a\n0 1\n", 2, "expected 'ROW VALUE TYPE'");
    EXPECT_MISTAKE("track a\n0 1 step step\n", 2, "expected 'ROW VALUE TYPE'");
}

TEST(TrackTextMistakes, RowThatIsNotAWhole32BitNumber)
{
    EXPECT_MISTAKE("track a\n1.5 1 step\n", 2, "row '1.5' is not a whole number in the 32-bit range");
    EXPECT_MISTAKE("track a\n2147483648 1 step\n", 2, "row '2147483648' is not a whole number in the 32-bit range");
    EXPECT_MISTAKE("track a\nx 1 step\n", 2, "row 'x' is not a whole number in the 32-bit range");
}

TEST(TrackTextMistakes, ValueThatIsNotAFiniteSinglePrecisionNumber)
{
    EXPECT_MISTAKE("track a\n0 one step\n", 2, "value 'one' is not a number");
    EXPECT_MISTAKE("track a\n0 nan step\n", 2, "value 'nan' is not a number");
    EXPECT_MISTAKE("track a\n0 1.5x step\n", 2, "value '1.5x' is not a number");
    EXPECT_MISTAKE("track a\n0 inf step\n", 2, "value 'inf' is too large for a 32-bit float");
    EXPECT_MISTAKE("track a\n0 -1e39 step\n", 2, "value '-1e39' is too large for a 32-bit float");
    EXPECT_MISTAKE("track a\n0 1e-400 step\n", 2, "value '1e-400' is too close to 0 for a 32-bit float (write 0)");
    // A number of a megabyte is not copied whole into the message.
    EXPECT_LT(MistakeIn("track a\n0 1" + std::string(1 << 20, '0') + " step\n").message.size(), 120u);
}

TEST(TrackTextMistakes, UnknownKeyType)
{
    EXPECT_MISTAKE("track a\n0 1 Step\n", 2, "unknown key type 'Step' (step, linear, smooth or ramp)");
}

TEST(TrackTextMistakes, RowThatDoesNotComeAfterThePreviousOne)
{
    EXPECT_MISTAKE("track a\n0 1 step\n16 1 step\n16 2 step\n", 4, "row 16 does not come after row 16");
    EXPECT_MISTAKE("track a\n8 1 step\n-8 1 step\n", 3, "row -8 does not come after row 8");
}

TEST(TrackTextMistakes, MoreKeysThanOneTrackHolds)
{
    std::string text = "track a\n";
    for (int row = 0; row < 65535; ++row) text += std::to_string(row) + " 0 step\n";
    EXPECT_FALSE(ParseTrackText(text).error);
    EXPECT_MISTAKE(text + "65535 0 step\n", 65537, "more than 65535 keys in one track");
}

TEST(TrackTextMistakes, BinaryBytesAreNotText)
{
    EXPECT_MISTAKE(std::string("track a\n0 1 st\0ep\n", 17), 2, "not text: control byte 0x00");
    EXPECT_MISTAKE("track a # \x1b[31m\n", 1, "not text: control byte 0x1B");
}

TEST(TrackTextMistakes, TextWithoutAnyTrack)
{
    EXPECT_MISTAKE("", 1, "no 'track NAME' in the text");
    EXPECT_MISTAKE("# nothing\n\n# yet\n", 3, "no 'track NAME' in the text");
}

}  // namespace
