// Names and words that a user typed, as the tools' one-line messages show them.
#include <gtest/gtest.h>

#include <string>

#include "quoted_text.h"

namespace {

TEST(QuotedText, KeepsAMessageOnOneLineWhateverTheNameHolds)
{
    EXPECT_EQ(Quoted("out.png"), "'out.png'");
    EXPECT_EQ(Quoted("new\nline\rand\ttab"), "'new\\nline\\rand\\ttab'");
    // A terminal's control sequences are shown, not obeyed.
    EXPECT_EQ(Quoted(std::string("\x1b[2J\x7f\0", 6)), "'\\x1b[2J\\x7f\\x00'");
    // Quotes and backslashes inside cannot be mistaken for the quoting.
    EXPECT_EQ(Quoted("it's a\\b"), "'it\\'s a\\\\b'");
    EXPECT_EQ(Quoted("caf\xc3\xa9.png"), "'caf\xc3\xa9.png'");
}

}  // namespace
