// Names and words that a user typed, as the one-line messages of the tools and
// of the track-text parser show them.
#include <gtest/gtest.h>

#include <string>

#include "text/quoted_text.h"

namespace {

TEST(QuotedText, KeepsAMessageOnOneLineWhateverTheNameHolds)
{
    EXPECT_EQ(Quoted("out.png"), "'out.png'");
    EXPECT_EQ(Quoted("new\nline\rand\ttab"), "'new\\nline\\rand\\ttab'");
    // A terminal's control sequences are shown, not obeyed.
    EXPECT_EQ(Quoted(std::string("\x1b[2J\x7f\0", 6)), "'\\x1b[2J\\x7f\\x00'");
    // Quotes and backslashes inside cannot be mistaken for the quoting.
    EXPECT_EQ(Quoted("it's a\\b"), "'it\\'s a\\\\b'");
}

TEST(QuotedText, ShowsUtf8AsItIsAndEscapesEveryOtherByteAboveAscii)
{
    EXPECT_EQ(Quoted("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x90\xa6"), "'caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x90\xa6'");
    // A C1 control (here the one-byte CSI) drives some terminals like ESC [.
    EXPECT_EQ(Quoted("\xc2\x9b" "2J"), "'\\xc2\\x9b2J'");
    EXPECT_EQ(Quoted("\x9b" "2J"), "'\\x9b2J'");
    // Latin-1, an overlong slash, a surrogate, a code point past U+10FFFF, a cut sequence.
    EXPECT_EQ(Quoted("caf\xe9"), "'caf\\xe9'");
    EXPECT_EQ(Quoted("\xc0\xaf"), "'\\xc0\\xaf'");
    EXPECT_EQ(Quoted("\xed\xa0\x80"), "'\\xed\\xa0\\x80'");
    EXPECT_EQ(Quoted("\xf4\x90\x80\x80"), "'\\xf4\\x90\\x80\\x80'");
    EXPECT_EQ(Quoted("\xe2\x82"), "'\\xe2\\x82'");
}

TEST(QuotedText, CutsALongWordToItsTwoEndsSoTheLineStaysReadable)
{
    const std::string whole(kQuotedWholeBytes, '7');
    EXPECT_EQ(Quoted(whole), "'" + whole + "'");

    const std::string number = "1" + std::string(1 << 20, '0') + "e9";
    const std::string ends(kQuotedEndBytes - 2, '0');
    EXPECT_EQ(Quoted(number), "'1" + ends + "0'...'" + ends + "e9'");

    // A character that the cut falls into is kept whole, at both ends.
    const std::string euro = "\xe2\x82\xac";
    const std::string word = std::string(kQuotedEndBytes - 1, 'a') + euro + std::string(40, 'b') + euro +
                             std::string(kQuotedEndBytes - 2, 'c');
    EXPECT_EQ(Quoted(word), "'" + std::string(kQuotedEndBytes - 1, 'a') + "'...'" + euro +
                                std::string(kQuotedEndBytes - 2, 'c') + "'");
}

}  // namespace
