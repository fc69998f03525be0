// The transport: seeks by rows, beats and bars, play and pause, the loop and
// the hold at the end, each with the music following; and the keys that
// drive it.
#include <gtest/gtest.h>
#include <raylib.h>

#include <cmath>

#include "simulated_music.h"
#include "sync/tempo.h"
#include "transport.h"
#include "transport_keys.h"

namespace {

constexpr double kDemoEnd = 800.0 / ROWS_PER_SECOND;  // as Stage::EndOfDemo finds it for the demo
constexpr double kFrame = 1.0 / 60.0;

double Row(const Transport& transport)
{
    return SecondsToRows(transport.Seconds());
}

class TransportTest : public ::testing::Test {
protected:
    // Plays frame by frame for `seconds` of timer time.
    void PlayFor(double seconds)
    {
        const double until = now + seconds;
        while (now < until) {
            now += kFrame;
            music.AdvanceTo(now);
            transport.Tick(now);
        }
    }

    SimulatedMusic music;
    double now = 0.0;
    Transport transport{music, kDemoEnd, 40.0, now};
};

// ---------------------------------------------------------------------------
// Seeking
// ---------------------------------------------------------------------------

TEST_F(TransportTest, StartsPausedWhereAskedWithTheMusicThere)
{
    EXPECT_FALSE(transport.Playing());
    EXPECT_DOUBLE_EQ(transport.Seconds(), 40.0);
    EXPECT_DOUBLE_EQ(music.Position(), 40.0);
}

TEST_F(TransportTest, StepsGoToTheNextOrPreviousMultipleOfTheirRows)
{
    // 40 s is row 466.67.
    transport.StepRows(ROWS_PER_BEAT, now);
    EXPECT_NEAR(Row(transport), 468.0, 1e-9);
    transport.StepRows(ROWS_PER_BEAT, now);
    EXPECT_NEAR(Row(transport), 472.0, 1e-9) << "a playhead on a beat steps a whole beat";
    transport.StepRows(-ROWS_PER_BAR, now);
    EXPECT_NEAR(Row(transport), 464.0, 1e-9);
    transport.StepRows(-ROWS_PER_BAR, now);
    EXPECT_NEAR(Row(transport), 448.0, 1e-9);
    transport.StepRows(1, now);
    EXPECT_NEAR(Row(transport), 449.0, 1e-9);
    transport.StepRows(-1, now);
    EXPECT_NEAR(Row(transport), 448.0, 1e-9);
}

TEST(TransportRows, APlayheadSentToARowReadsThatRowNotAHairBefore)
{
    // Row 7 in seconds, turned back into rows, reads 6.999...: a key there
    // would not yet show.
    SimulatedMusic music;
    Transport transport(music, kDemoEnd, 0.0, 0.0);
    transport.StepRows(7, 0.0);
    EXPECT_GE(Row(transport), 7.0) << "a step lands short of its row";
    transport.SeekRow(14.0, 0.0);
    EXPECT_GE(Row(transport), 14.0) << "a seek to a row lands short of it";
}

TEST_F(TransportTest, EverySeekMovesTheMusicToTheSamePlace)
{
    transport.StepRows(ROWS_PER_BAR, now);
    EXPECT_DOUBLE_EQ(music.Position(), transport.Seconds());
    transport.ToStart(now);
    EXPECT_EQ(transport.Seconds(), 0.0);
    EXPECT_EQ(music.Position(), 0.0);
    transport.Seek(12.5, now);
    EXPECT_DOUBLE_EQ(music.Position(), 12.5);
}

TEST_F(TransportTest, EndGoesToTheLastWholeRowBeforeTheEnd)
{
    transport.ToLastRow(now);
    EXPECT_NEAR(Row(transport), 799.0, 1e-9);
}

TEST(TransportEnd, LastRowIsFoundWhenTheEndReadsAHairPastItsRow)
{
    // Stage::EndOfDemo finds the first reading whose row reaches 800, which
    // may lie an ulp or two past 800 rows in seconds.
    SimulatedMusic music;
    const double end = std::nextafter(std::nextafter(800.0 / ROWS_PER_SECOND, 100.0), 100.0);
    Transport transport(music, end, 0.0, 0.0);
    transport.ToLastRow(0.0);
    EXPECT_NEAR(Row(transport), 799.0, 1e-9);
}

TEST_F(TransportTest, SeeksAreHeldWithinTheDemo)
{
    transport.StepRows(-ROWS_PER_BAR, now);
    transport.Seek(-5.0, now);
    EXPECT_EQ(transport.Seconds(), 0.0);
    transport.StepRows(-ROWS_PER_BEAT, now);
    EXPECT_EQ(transport.Seconds(), 0.0) << "no step before the start";
    transport.Seek(500.0, now);
    EXPECT_LT(transport.Seconds(), kDemoEnd);
    EXPECT_EQ(transport.Seconds(), transport.LastShown());
    transport.StepRows(ROWS_PER_BAR, now);
    EXPECT_LT(transport.Seconds(), kDemoEnd) << "no step past the end";
}

// ---------------------------------------------------------------------------
// Playing and pausing
// ---------------------------------------------------------------------------

TEST_F(TransportTest, PlayingMovesPlayheadAndMusicTogether)
{
    transport.TogglePlay(now);
    EXPECT_TRUE(music.Playing());
    PlayFor(2.0);
    EXPECT_NEAR(transport.Seconds(), 42.0, 0.03);
    EXPECT_NEAR(transport.Seconds(), music.Position(), 0.02);
    EXPECT_GT(music.feeds, 100) << "the music is fed every frame";
}

TEST_F(TransportTest, PausingStopsTheMusicWhereThePictureIs)
{
    transport.TogglePlay(now);
    PlayFor(1.0);
    transport.TogglePlay(now);
    EXPECT_FALSE(transport.Playing());
    EXPECT_FALSE(music.Playing());
    EXPECT_DOUBLE_EQ(music.Position(), transport.Seconds());
    const double held = transport.Seconds();
    PlayFor(1.0);
    EXPECT_EQ(transport.Seconds(), held) << "nothing moves while paused";
}

TEST_F(TransportTest, SeekingWhilePlayingGoesOnPlayingFromThere)
{
    transport.TogglePlay(now);
    PlayFor(0.5);
    transport.Seek(10.0, now);
    EXPECT_DOUBLE_EQ(music.Position(), 10.0);
    PlayFor(0.5);
    EXPECT_NEAR(transport.Seconds(), 10.5, 0.03);
    EXPECT_TRUE(music.Playing());
}

// ---------------------------------------------------------------------------
// The end
// ---------------------------------------------------------------------------

TEST_F(TransportTest, AtTheEndThePlayheadHoldsTheLastFrameAndTheMusicStops)
{
    transport.Seek(kDemoEnd - 0.5, now);
    transport.TogglePlay(now);
    PlayFor(1.5);
    EXPECT_FALSE(transport.Playing());
    EXPECT_FALSE(music.Playing());
    EXPECT_EQ(transport.Seconds(), transport.LastShown());
    EXPECT_EQ(std::nextafter(transport.Seconds(), kDemoEnd), kDemoEnd) << "the last reading before the end";
}

TEST_F(TransportTest, PlayingFromTheEndStartsAgainFromTheStart)
{
    transport.Seek(kDemoEnd, now);
    transport.TogglePlay(now);
    EXPECT_TRUE(transport.Playing());
    EXPECT_EQ(transport.Seconds(), 0.0);
}

TEST_F(TransportTest, AnEarlierEndPullsThePlayheadAndLoopIn)
{
    transport.Seek(60.0, now);
    transport.MarkLoopEnd();
    transport.SetEnd(30.0, now);
    EXPECT_LT(transport.Seconds(), 30.0);
    EXPECT_LT(transport.Loop().end, 30.0);
    EXPECT_DOUBLE_EQ(music.Position(), transport.Seconds());
}

// ---------------------------------------------------------------------------
// The loop
// ---------------------------------------------------------------------------

TEST_F(TransportTest, AtTheLoopEndPlayheadAndMusicJumpBackTogether)
{
    // Rows 466.67 to 468: about 0.11 s, several times round in 0.5 s.
    transport.MarkLoopStart();
    transport.StepRows(ROWS_PER_BEAT, now);
    transport.MarkLoopEnd();
    transport.ToggleLoop();
    const double start = transport.Loop().start;
    const double end = transport.Loop().end;
    transport.Seek(start, now);
    transport.TogglePlay(now);
    int jumps = 0;
    double previous = transport.Seconds();
    for (int frame = 0; frame < 30; ++frame) {
        PlayFor(kFrame);
        if (transport.Seconds() < previous) {
            ++jumps;
            EXPECT_EQ(transport.Seconds(), start);
            EXPECT_DOUBLE_EQ(music.Position(), start);
        }
        EXPECT_LT(transport.Seconds(), end);
        previous = transport.Seconds();
    }
    EXPECT_GE(jumps, 2);
    EXPECT_TRUE(music.Playing());
}

TEST_F(TransportTest, TheLoopActsOnlyWhenOn)
{
    transport.MarkLoopStart();
    transport.StepRows(ROWS_PER_BEAT, now);
    transport.MarkLoopEnd();
    transport.TogglePlay(now);
    PlayFor(1.0);
    EXPECT_GT(transport.Seconds(), transport.Loop().end + 0.5);
}

TEST_F(TransportTest, AnEndMarkedBeforeTheStartMovesTheStartToZero)
{
    transport.MarkLoopStart();
    transport.StepRows(-ROWS_PER_BAR, now);
    transport.MarkLoopEnd();
    EXPECT_EQ(transport.Loop().start, 0.0);
    EXPECT_DOUBLE_EQ(transport.Loop().end, transport.Seconds());
}

TEST_F(TransportTest, AStartMarkedAfterTheEndMovesTheEndToTheLastFrame)
{
    transport.MarkLoopEnd();
    transport.StepRows(ROWS_PER_BAR, now);
    transport.MarkLoopStart();
    EXPECT_DOUBLE_EQ(transport.Loop().start, transport.Seconds());
    EXPECT_EQ(transport.Loop().end, transport.LastShown());
}

TEST(LoopSpan, ShorterThanARowIsNeverActive)
{
    EXPECT_FALSE((LoopSpan{10.0, 10.0 + RowsToSeconds(0.99), true}.Active()));
    EXPECT_TRUE((LoopSpan{10.0, 10.0 + RowsToSeconds(1.0), true}.Active()));
    EXPECT_FALSE((LoopSpan{10.0, 20.0, false}.Active()));
}

// ---------------------------------------------------------------------------
// Keys
// ---------------------------------------------------------------------------

TEST(TransportKeys, ArrowsStepABeatWithShiftABarWithControlARow)
{
    EXPECT_EQ(TransportActionForKey(KEY_RIGHT, {}, false), (TransportAction{TransportMove::Step, 4}));
    EXPECT_EQ(TransportActionForKey(KEY_LEFT, {}, false), (TransportAction{TransportMove::Step, -4}));
    EXPECT_EQ(TransportActionForKey(KEY_RIGHT, {true, false}, false), (TransportAction{TransportMove::Step, 16}));
    EXPECT_EQ(TransportActionForKey(KEY_LEFT, {true, false}, false), (TransportAction{TransportMove::Step, -16}));
    EXPECT_EQ(TransportActionForKey(KEY_RIGHT, {false, true}, false), (TransportAction{TransportMove::Step, 1}));
    EXPECT_EQ(TransportActionForKey(KEY_LEFT, {false, true}, false), (TransportAction{TransportMove::Step, -1}));
}

TEST(TransportKeys, EachOtherTransportKeyHasItsMove)
{
    EXPECT_EQ(TransportActionForKey(KEY_SPACE, {}, false)->move, TransportMove::TogglePlay);
    EXPECT_EQ(TransportActionForKey(KEY_HOME, {}, false)->move, TransportMove::ToStart);
    EXPECT_EQ(TransportActionForKey(KEY_END, {}, false)->move, TransportMove::ToLastRow);
    EXPECT_EQ(TransportActionForKey(KEY_LEFT_BRACKET, {}, false)->move, TransportMove::MarkLoopStart);
    EXPECT_EQ(TransportActionForKey(KEY_RIGHT_BRACKET, {}, false)->move, TransportMove::MarkLoopEnd);
    EXPECT_EQ(TransportActionForKey(KEY_L, {}, false)->move, TransportMove::ToggleLoop);
    EXPECT_FALSE(TransportActionForKey(KEY_TAB, {}, false));
}

TEST(TransportKeys, OnlyTheArrowsRepeatWhenHeld)
{
    EXPECT_TRUE(TransportActionForKey(KEY_RIGHT, {}, true));
    EXPECT_TRUE(TransportActionForKey(KEY_LEFT, {true, false}, true));
    EXPECT_FALSE(TransportActionForKey(KEY_SPACE, {}, true)) << "a held Space would flip play and pause";
    EXPECT_FALSE(TransportActionForKey(KEY_L, {}, true));
}

TEST(TransportKeys, AnActionMovesTheTransportAsItsKeySays)
{
    SimulatedMusic music;
    Transport transport(music, kDemoEnd, 40.0, 0.0);
    ApplyTransportAction(transport, {TransportMove::Step, -16}, 0.0);
    EXPECT_NEAR(Row(transport), 464.0, 1e-9);
    ApplyTransportAction(transport, {TransportMove::ToLastRow}, 0.0);
    EXPECT_NEAR(Row(transport), 799.0, 1e-9);
    ApplyTransportAction(transport, {TransportMove::MarkLoopEnd}, 0.0);
    ApplyTransportAction(transport, {TransportMove::ToStart}, 0.0);
    ApplyTransportAction(transport, {TransportMove::MarkLoopStart}, 0.0);
    ApplyTransportAction(transport, {TransportMove::ToggleLoop}, 0.0);
    EXPECT_TRUE(transport.Loop().Active());
    ApplyTransportAction(transport, {TransportMove::TogglePlay}, 0.0);
    EXPECT_TRUE(transport.Playing());
}

}  // namespace
